#include "present/picturejob.h"

#include "offthread/offthread.h"
#include "store/ansitext.h"

#include <QCoreApplication>
#include <QThreadPool>

#include <exception>
#include <memory>
#include <optional>

namespace {

PictureJob::Outcome run(const PictureJob::Prepare& prepare) {
    PictureJob::Outcome out;
    try {
        out.picture = prepare();
        out.ok = true;
    } catch (const std::exception& e) {
        // Texts of paths in it are in their stored form.
        out.refusal = fromansi(e.what());
    }
    return out;
}
} // namespace

// The application owns it and waits for its last job at exit.
QThreadPool& pictureworker() {
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool(QCoreApplication::instance());
        p->setMaxThreadCount(1);
        return p;
    }();
    return *pool;
}

PictureJob::PictureJob(QObject* parent) : QObject(parent) {}

void PictureJob::start(Prepare prepare, Ready ready, Refused refused) {
    cancel();
    auto dropped = std::make_shared<std::atomic<bool>>(false);
    dropped_ = dropped;
    runoffthread(
        pictureworker(), this,
        [dropped, prepare = std::move(prepare)]() -> std::optional<Outcome> {
            // A burst of firings leaves one picture to read, not a queue of unseen ones.
            if (dropped->load()) return std::nullopt;
            return run(prepare);
        },
        [this, dropped, ready = std::move(ready),
         refused = std::move(refused)](const std::optional<Outcome>& out) {
            if (dropped->load() || !out) return;
            dropped_.reset();
            if (out->ok)
                ready(out->picture);
            else if (refused)
                refused(out->refusal);
        });
}

void PictureJob::cancel() {
    // A job already begun is finished, and nobody hears of it; one not begun never reads.
    if (dropped_) dropped_->store(true);
    dropped_.reset();
}
