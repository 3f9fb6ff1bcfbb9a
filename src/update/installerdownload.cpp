#include "update/installerdownload.h"

#include "offthread/offthread.h"
#include "update/updatecheck.h"

#include <atomic>
#include <cstdint>
#include <exception>

struct InstallerDownload::Transfer {
    std::atomic<bool> cancel{false};
    // The newest figures; at most one progress report waits in the event queue.
    std::atomic<int64_t> done{0}, total{0};
    std::atomic<bool> reportqueued{false};
};

InstallerDownload::InstallerDownload(HttpClient& http, QObject* parent)
    : QObject(parent), http_(http) {}

InstallerDownload::~InstallerDownload() {
    cancel();
}

void InstallerDownload::cancel() {
    if (transfer_) transfer_->cancel = true;
}

void InstallerDownload::start(const QString& folder) {
    if (transfer_) return;
    auto transfer = std::make_shared<Transfer>();
    transfer_ = transfer;
    // The thread uses `this` only in the calls it posts, which run only while it lives.
    runoffthread(transferpool(), this,
                 [this, &http = http_, transfer, folder](const ReplyChannel& reply) {
                     const auto report = [this, &transfer, &reply](int64_t done, int64_t total) {
                         transfer->done = done;
                         transfer->total = total;
                         if (transfer->reportqueued.exchange(true)) return;
                         reply.post([this, transfer] {
                             transfer->reportqueued = false;
                             emit progress(transfer->done, transfer->total);
                         });
                     };
                     QString saved;
                     bool ok = false;
                     try {
                         ok = downloadinstaller(http, folder, report, transfer->cancel, saved);
                     } catch (const std::exception&) {
                         ok = false;
                     }
                     reply.post([this, ok, saved] {
                         transfer_.reset();
                         emit finished(ok, saved);
                     });
                 });
}
