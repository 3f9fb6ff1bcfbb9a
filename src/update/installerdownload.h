#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <thread>

class HttpClient;

// Runs `downloadinstaller` on a worker thread so the program's tick and windows go on
// during the transfer; progress and the result arrive as signals on this object's thread.
class InstallerDownload : public QObject {
    Q_OBJECT
public:
    explicit InstallerDownload(HttpClient& http, QObject* parent = nullptr);
    // Cancels a running download and waits for its thread.
    ~InstallerDownload() override;

    // Starts downloading into `folder`; ignored while a download runs.
    void start(const QString& folder);
    // Ends a running download as failed, at the next piece of data or read time-out.
    void cancel() { cancel_ = true; }
    bool running() const { return worker_.joinable(); }

signals:
    void progress(qint64 done, qint64 total);
    void finished(bool ok, const QString& path);

private:
    void report(int64_t done, int64_t total);

    HttpClient& http_;
    std::atomic<bool> cancel_{false};
    // The newest figures; at most one progress report waits in the event queue.
    std::atomic<int64_t> done_{0}, total_{0};
    std::atomic<bool> reportqueued_{false};
    std::thread worker_;
};
