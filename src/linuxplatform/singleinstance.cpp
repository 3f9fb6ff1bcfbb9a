#include "linuxplatform/singleinstance.h"

#include "linuxplatform/activationtoken.h"
#include "linuxplatform/commandframe.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace {

// The user id of the process at the other end of a connected local socket; -1 unknown.
long peeruser(int fd) {
    ucred cred{};
    socklen_t len = sizeof cred;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0) return -1;
    return static_cast<long>(cred.uid);
}

// A folder only this user can enter: made if missing, refused if anyone else owns it,
// it is a link, or others may enter it.
bool privatefolder(const QString& path) {
    const QByteArray p = QFile::encodeName(path);
    ::mkdir(p.constData(), 0700);
    struct stat st {};
    return ::lstat(p.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
           (st.st_mode & 077) == 0;
}

// Blocking I/O on a descriptor until the deadline.
bool waitready(int fd, short events, const QDeadlineTimer& deadline) {
    pollfd p{fd, events, 0};
    for (;;) {
        const int r =
            ::poll(&p, 1, static_cast<int>(std::max<qint64>(0, deadline.remainingTime())));
        if (r > 0) return true;
        if (r == 0 || errno != EINTR) return false;
    }
}

bool writeall(int fd, const QByteArray& bytes, const QDeadlineTimer& deadline) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        if (!waitready(fd, POLLOUT, deadline)) return false;
        const ssize_t n = ::send(fd, bytes.constData() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

std::optional<QByteArray> readexactly(int fd, qsizetype count, const QDeadlineTimer& deadline) {
    QByteArray out;
    out.resize(count);
    qsizetype done = 0;
    while (done < count) {
        if (!waitready(fd, POLLIN, deadline)) return std::nullopt;
        const ssize_t n = ::recv(fd, out.data() + done, count - done, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return std::nullopt;
        done += n;
    }
    return out;
}

// The process's /proc stat line; empty when it is gone.
QByteArray readstat(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    return f.open(QIODevice::ReadOnly) ? f.read(1024) : QByteArray();
}

} // namespace

LocalSingleInstance::LocalSingleInstance(const QString& lockName, const QString& messageName)
    : lockName_(lockName), messageName_(messageName) {}

LocalSingleInstance::~LocalSingleInstance() {
    delete server_;
}

QString LocalSingleInstance::runtimeFolder() {
    // Qt hands out the session's folder only when it is the user's own and private.
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        const QString own = QDir::tempPath() + QStringLiteral("/chimelet-%1").arg(::geteuid());
        dir = privatefolder(own) ? own : QDir::tempPath();
    }
    return dir;
}

QString LocalSingleInstance::folder() const {
    // Asked once: where the session has no runtime folder, Qt warns at every asking.
    if (folder_.isEmpty()) folder_ = runtimeFolder();
    return folder_;
}

QString LocalSingleInstance::messagePath() const {
    return folder() + QLatin1Char('/') + messageName_;
}

QString LocalSingleInstance::lockpath() const {
    return folder() + QLatin1Char('/') + lockName_ + ".lock";
}

bool LocalSingleInstance::acquire() {
    const QString path = lockpath();
    lock_ = std::make_unique<QLockFile>(path);
    // A lock whose owner process is gone counts as stale and is taken over.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) return true;
    if (lock_->error() == QLockFile::LockFailedError) {
        // A running copy holds its file under a system lock, so this removes only what a
        // copy that is gone left, whatever it holds. A file that cannot even be opened is
        // no running copy's either: each makes its own, readable and writable.
        if (!lock_->removeStaleLockFile() &&
            !QFile(path).open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
            QFile::remove(path);
        if (lock_->tryLock(0)) return true;
    }
    lock_.reset();
    return false;
}

bool LocalSingleInstance::othercopyruns() const {
    QLockFile probe(lockpath());
    qint64 pid = 0;
    QString host, app;
    if (!probe.getLockInfo(&pid, &host, &app) || pid <= 0) return false;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM) return false;
    // A copy that has ended but was not yet collected by its parent runs no more.
    const QByteArray stat = readstat(pid);
    const qsizetype close = stat.lastIndexOf(')');
    return close < 0 || stat.mid(close + 2, 1) != "Z";
}

void LocalSingleInstance::setcommands(RemoteHandler handler) {
    handler_ = std::move(handler);
    for (const auto& [socket, command] : std::exchange(waiting_, {}))
        if (socket) answer(socket, command);
}

void LocalSingleInstance::listen() {
    if (server_) return;
    server_ = new QLocalServer();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(messagePath()); // we hold the lock: any socket file is stale
    server_->listen(messagePath());
    QObject::connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection())
            accept(s);
    });
}

void LocalSingleInstance::accept(QLocalSocket* s) {
    QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
    if (connections_ >= kMaxConnections ||
        peeruser(static_cast<int>(s->socketDescriptor())) != static_cast<long>(::geteuid())) {
        s->abort();
        s->deleteLater();
        return;
    }
    ++connections_;
    QObject::connect(s, &QObject::destroyed, this, [this] { --connections_; });
    // Too slow, too long or malformed: dropped unanswered, and nothing was done.
    auto* late = new QTimer(s);
    late->setSingleShot(true);
    QObject::connect(late, &QTimer::timeout, s, [s] { s->abort(); });
    late->start(kReadMsecs);
    s->setReadBufferSize(commandframe::kHeaderBytes + commandframe::kMaxRequest);
    auto length = std::make_shared<std::optional<uint32_t>>();
    QObject::connect(s, &QLocalSocket::readyRead, s, [this, s, length, late] {
        if (!*length) {
            if (s->bytesAvailable() < commandframe::kHeaderBytes) return;
            *length = commandframe::payloadlength(s->read(commandframe::kHeaderBytes),
                                                  commandframe::kMaxRequest);
            if (!*length) return s->abort();
        }
        if (s->bytesAvailable() < **length) return;
        const auto command = commandframe::parserequest(s->read(**length));
        if (!command || s->bytesAvailable() > 0) return s->abort();
        QObject::disconnect(s, &QLocalSocket::readyRead, nullptr, nullptr);
        late->stop();
        answer(s, *command);
    });
}

void LocalSingleInstance::answer(QLocalSocket* s, const RemoteCommand& command) {
    RemoteReply reply;
    if (!handler_ && command.verb != QLatin1String(remoteverbs::Started)) {
        // Answered once the copy has started.
        waiting_.emplace_back(s, command);
        return;
    }
    {
        // A window that comes forward for the command presents the later start's token.
        const LentActivationToken lent(command.activationtoken);
        if (command.verb == QLatin1String(remoteverbs::Started))
            emit startedAgain();
        else
            reply = handler_(command);
    }
    if (reply.later) {
        // The caller waits, connected, for the answer that comes later.
        const QPointer<QLocalSocket> alive(s);
        reply.later([this, alive](const RemoteReply& later) {
            if (alive) sendreply(alive, later);
        });
        return;
    }
    sendreply(s, reply);
}

void LocalSingleInstance::sendreply(QLocalSocket* s, const RemoteReply& reply) {
    QByteArray bytes = commandframe::reply(reply);
    if (bytes.size() - commandframe::kHeaderBytes > commandframe::kMaxReply)
        bytes =
            commandframe::reply({1, {}, QStringLiteral("The answer is too long to send."), {}, {}});
    QPointer<QLocalSocket> alive(s);
    const auto then = reply.then;
    // Whatever comes after the reply runs once it has left or the caller is gone.
    const auto finish = [this, alive, then] {
        if (alive) {
            QObject::disconnect(alive, &QLocalSocket::bytesWritten, nullptr, nullptr);
            alive->disconnectFromServer();
        }
        // From the event loop itself, not from inside this socket's signal.
        if (then) QTimer::singleShot(0, this, then);
    };
    auto done = std::make_shared<bool>(false);
    const auto once = [finish, done] {
        if (*done) return;
        *done = true;
        finish();
    };
    QObject::connect(s, &QLocalSocket::bytesWritten, s, [s, once] {
        if (s->bytesToWrite() == 0) once();
    });
    QObject::connect(s, &QLocalSocket::disconnected, this, once);
    QObject::connect(s, &QLocalSocket::errorOccurred, this, once);
    s->write(bytes);
    s->flush();
    if (s->bytesToWrite() == 0) once();
}

std::optional<RemoteReply> LocalSingleInstance::send(const RemoteCommand& command,
                                                     int msecs) const {
    const QByteArray path = QFile::encodeName(messagePath());
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (path.size() >= static_cast<qsizetype>(sizeof addr.sun_path)) return std::nullopt;
    std::memcpy(addr.sun_path, path.constData(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return std::nullopt;
    const auto closer = qScopeGuard([fd] { ::close(fd); });
    // Only a copy of this very user is told anything.
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0 ||
        peeruser(fd) != static_cast<long>(::geteuid()))
        return std::nullopt;
    const QDeadlineTimer deadline(msecs);
    RemoteReply silent{1, {}, QString::fromLatin1(kNoAnswer), {}, {}};
    // Wayland brings the running copy's window forward only for the token this start's
    // launcher gave it.
    RemoteCommand ours = command;
    if (ours.activationtoken.isEmpty()) ours.activationtoken = activationtoken::own();
    if (!writeall(fd, commandframe::request(ours), deadline)) return silent;
    const auto header = readexactly(fd, commandframe::kHeaderBytes, deadline);
    const auto length =
        header ? commandframe::payloadlength(*header, commandframe::kMaxReply) : std::nullopt;
    const auto payload = length ? readexactly(fd, *length, deadline) : std::nullopt;
    const auto reply = payload ? commandframe::parsereply(*payload) : std::nullopt;
    return reply ? *reply : silent;
}

void LocalSingleInstance::broadcast() {
    send({QString::fromLatin1(remoteverbs::Started), {}}, 500);
}
