#pragma once

#include "platform/singleinstance.h"

#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QLocalServer;

// A lock file named after the program's mutex name (a crashed copy's stale lock is
// taken over), and a local socket named after its message, in the user's own runtime
// folder. On it a later copy says that it was started or hands over a command (framed
// as in `commandframe`). Only the same user's processes are heard; a connection that
// sends anything but one well-formed frame in time is dropped unanswered.
class LocalSingleInstance : public SingleInstance {
    Q_OBJECT
public:
    LocalSingleInstance(const QString& lockName, const QString& messageName);
    ~LocalSingleInstance() override;

    bool acquire() override;
    void listen() override;
    void broadcast() override;
    void setcommands(RemoteHandler handler) override;

    // A later copy: whether a copy holds the lock (it may not listen yet).
    bool othercopyruns() const;
    // Sends a command to the running copy and waits up to `msecs` for its reply;
    // nothing when no copy of this user listens, kNoAnswer when it took the command and
    // gave no answer (it ended, or took too long). Needs no application object. The
    // command carries this process's activation token unless it names one.
    std::optional<RemoteReply> send(const RemoteCommand& command, int msecs) const;

    // The user's own folder for the lock and the socket: the session's runtime folder,
    // else a folder of the user's own in the temporary folder.
    static QString runtimeFolder();

    static constexpr const char* kNoAnswer = "Chimelet did not answer.";
    static constexpr int kMaxConnections = 8;
    static constexpr int kReadMsecs = 5000; // a whole frame must arrive within this

private:
    QString folder() const;
    QString messagePath() const;
    QString lockpath() const;
    void accept(QLocalSocket* socket);
    void answer(QLocalSocket* socket, const RemoteCommand& command);
    void sendreply(QLocalSocket* socket, const RemoteReply& reply);

    QString lockName_;
    QString messageName_;
    mutable QString folder_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    RemoteHandler handler_;
    std::vector<std::pair<QPointer<QLocalSocket>, RemoteCommand>> waiting_;
    int connections_ = 0;
};
