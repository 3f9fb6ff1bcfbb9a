#pragma once

#include "linuxplatform/folderlock.h"
#include "platform/singleinstance.h"

#include <QByteArray>
#include <QPointer>
#include <QString>

#include <deque>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QSocketNotifier;
class QTimer;

// One caller's connection to the running copy: its frame read and its reply written on
// the plain socket, each within its deadline. Closed, it says `ended` once and goes.
class ChannelCall : public QObject {
    Q_OBJECT
public:
    ChannelCall(int fd, int readmsecs, QObject* parent);
    ~ChannelCall() override;
    // Sends the reply and closes; a caller that stops reading it is given up after
    // `msecs` without progress.
    void reply(const QByteArray& bytes, int msecs);
    void abort();

signals:
    void received(const RemoteCommand& command);
    void ended();

private:
    void readable();
    void writable();

    int fd_;
    QSocketNotifier* in_;
    QSocketNotifier* out_;
    QTimer* late_;
    QByteArray inbuf_, outbuf_;
    std::optional<uint32_t> length_;
    bool heard_ = false, closed_ = false;
};

// One copy per data folder. The lock is a file in the folder of the working database,
// taken before any other file there is touched. Its holder listens on an abstract local
// socket whose name, made of the user and a random part, it writes into the lock file:
// a later copy of the same user finds it from any environment (cron's, another runtime
// folder), and nobody who cannot read the file can guess or take the name. On it a later
// copy says that it was started or hands over a command (framed as in `commandframe`).
// Only the same user's processes are heard; a connection that sends anything but one
// well-formed frame in time is dropped unanswered, and idle ones make room for new ones.
class LocalSingleInstance : public SingleInstance {
    Q_OBJECT
public:
    // `datafolder` is the folder of the working database.
    explicit LocalSingleInstance(const QString& datafolder);
    ~LocalSingleInstance() override;

    bool acquire() override;
    void listen() override;
    void broadcast() override;
    void setcommands(RemoteHandler handler) override;

    // A later copy: whether a copy holds the folder (it may not listen yet).
    bool othercopyruns() const;
    // Sends a command to the copy that holds the folder and waits up to `msecs` for its
    // reply. A copy that does not take the connection yet (starting, busy) is tried again
    // for up to kRetryMsecs. Nothing when the command was not delivered: no copy holds the
    // folder, or it could not be reached; kNoAnswer when it took the command and gave no
    // answer (it ended, or took too long). Needs no application object. The command
    // carries this process's activation token unless it names one.
    std::optional<RemoteReply> send(const RemoteCommand& command, int msecs) const;
    // Whether a plain later start reached the running copy.
    bool reachrunning() const;

    static constexpr const char* kNoAnswer =
        "Chimelet did not answer: the command was not carried out.";
    // The lock file's name in the data folder.
    static constexpr const char* kLockName = "chimelet.lock";
    static constexpr int kReadMsecs = 5000;  // a whole frame must arrive within this
    static constexpr int kWriteMsecs = 5000; // the reply may stall this long at most
    static constexpr int kRetryMsecs = 5000; // how long a refused connection is tried again
    // Beyond this many connections still sending, the one waiting longest is dropped.
    static constexpr int kReadingBound = 256;

private:
    std::optional<QByteArray> socketname() const;
    void acceptall();
    void answer(ChannelCall* call, const RemoteCommand& command);
    void sendreply(ChannelCall* call, const RemoteReply& reply);

    FolderLock lock_;
    int listenfd_ = -1;
    QSocketNotifier* listening_ = nullptr;
    RemoteHandler handler_;
    std::vector<std::pair<QPointer<ChannelCall>, RemoteCommand>> waiting_;
    std::deque<QPointer<ChannelCall>> reading_;
};
