#pragma once

#include <QObject>
#include <QString>

#include <memory>

class HttpClient;

// Runs `downloadinstaller` off the GUI thread so the program's tick and windows go on
// during the transfer; progress and the result arrive as signals on this object's thread.
class InstallerDownload : public QObject {
    Q_OBJECT
public:
    explicit InstallerDownload(HttpClient& http, QObject* parent = nullptr);
    // Cancels a running download without waiting for it: it ends at its next piece of data
    // or read time-out, removes what it wrote, and tells nobody.
    ~InstallerDownload() override;

    // Starts downloading into `folder`; ignored while a download runs.
    void start(const QString& folder);
    // Ends a running download as failed, at the next piece of data or read time-out.
    void cancel();
    bool running() const { return transfer_ != nullptr; }

signals:
    void progress(qint64 done, qint64 total);
    void finished(bool ok, const QString& path);

private:
    // What the running download shares with its thread, which may outlive this object.
    struct Transfer;

    HttpClient& http_;
    std::shared_ptr<Transfer> transfer_;
};
