#include "update/installerdownload.h"

#include "update/updatecheck.h"

InstallerDownload::InstallerDownload(HttpClient& http, QObject* parent)
    : QObject(parent), http_(http) {}

InstallerDownload::~InstallerDownload() {
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
}

void InstallerDownload::start(const QString& folder) {
    if (worker_.joinable()) return;
    cancel_ = false;
    worker_ = std::thread([this, folder] {
        QString saved;
        const bool ok = downloadinstaller(
            http_, folder, [this](int64_t done, int64_t total) { report(done, total); }, cancel_,
            saved);
        QMetaObject::invokeMethod(
            this,
            [this, ok, saved] {
                worker_.join();
                emit finished(ok, saved);
            },
            Qt::QueuedConnection);
    });
}

void InstallerDownload::report(int64_t done, int64_t total) {
    done_ = done;
    total_ = total;
    if (reportqueued_.exchange(true)) return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            reportqueued_ = false;
            emit progress(done_, total_);
        },
        Qt::QueuedConnection);
}
