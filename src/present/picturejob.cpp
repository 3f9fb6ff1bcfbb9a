#include "present/picturejob.h"

#include "store/ansitext.h"

#include <QCoreApplication>
#include <QPromise>
#include <QThreadPool>

#include <exception>
#include <memory>

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
    auto promise = std::make_shared<QPromise<Outcome>>();
    auto dropped = std::make_shared<std::atomic<bool>>(false);
    dropped_ = dropped;
    watcher_ = new QFutureWatcher<Outcome>(this);
    connect(watcher_, &QFutureWatcherBase::finished, this,
            [this, watcher = watcher_, ready = std::move(ready), refused = std::move(refused)] {
                if (watcher != watcher_) return;
                const Outcome out = watcher->result();
                watcher_ = nullptr;
                watcher->deleteLater();
                if (out.ok)
                    ready(out.picture);
                else if (refused)
                    refused(out.refusal);
            });
    watcher_->setFuture(promise->future());
    pictureworker().start([promise, dropped, prepare = std::move(prepare)] {
        promise->start();
        // A burst of firings leaves one picture to read, not a queue of unseen ones.
        if (!dropped->load()) promise->addResult(run(prepare));
        promise->finish();
    });
}

void PictureJob::cancel() {
    if (!watcher_) return;
    // A job already begun is finished, and nobody hears of it; one not begun never runs.
    dropped_->store(true);
    watcher_->disconnect(this);
    watcher_->deleteLater();
    watcher_ = nullptr;
}
