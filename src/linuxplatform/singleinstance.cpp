#include "linuxplatform/singleinstance.h"

#include "linuxplatform/activationtoken.h"
#include "linuxplatform/commandframe.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
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

// The abstract socket address of `name`: no file, so no folder decides whether it is
// found, and nothing is left behind when the holder ends.
socklen_t abstractaddress(const QByteArray& name, sockaddr_un& addr) {
    addr = {};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path + 1, name.constData(), name.size());
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
}

bool validname(const QByteArray& name) {
    if (!name.startsWith("chimelet-") || name.size() > 100) return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || c == '-';
    });
}

// A connected socket to `name`, or -1 with errno set.
int connectto(const QByteArray& name) {
    sockaddr_un addr{};
    const socklen_t len = abstractaddress(name, addr);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return -1;
    int r = -1;
    do
        r = ::connect(fd, reinterpret_cast<const sockaddr*>(&addr), len);
    while (r != 0 && errno == EINTR);
    if (r == 0) return fd;
    const int why = errno;
    ::close(fd);
    errno = why;
    return -1;
}

} // namespace

LocalSingleInstance::LocalSingleInstance(const QString& datafolder)
    : lock_(datafolder.isEmpty() ? QString()
                                 : QDir(datafolder).filePath(QString::fromLatin1(kLockName))) {}

LocalSingleInstance::~LocalSingleInstance() {
    const bool adopted = server_ && server_->isListening();
    delete server_;
    if (!adopted && listenfd_ >= 0) ::close(listenfd_);
}

bool LocalSingleInstance::acquire() {
    // No data folder: the start-up halts before it would write anything.
    if (lock_.path().isEmpty()) return true;
    if (!lock_.take()) return false;
    if (listenfd_ >= 0) return true;
    // Bound at once, so that callers queue from the moment the folder is held; heard once
    // the event loop runs.
    for (int attempt = 0; attempt < 8 && listenfd_ < 0; ++attempt) {
        const QByteArray name = "chimelet-" + QByteArray::number(::geteuid()) + '-' +
                                QByteArray::number(QRandomGenerator::system()->generate64(), 16);
        sockaddr_un addr{};
        const socklen_t len = abstractaddress(name, addr);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0) break;
        if (::bind(fd, reinterpret_cast<const sockaddr*>(&addr), len) != 0 ||
            ::listen(fd, SOMAXCONN) != 0) {
            ::close(fd);
            continue;
        }
        listenfd_ = fd;
        lock_.publish(QByteArray::number(static_cast<qint64>(::getpid())) + '\n' + name + '\n');
    }
    return true;
}

bool LocalSingleInstance::othercopyruns() const {
    return !lock_.held() && lock_.takenbyany();
}

std::optional<QByteArray> LocalSingleInstance::socketname() const {
    const QList<QByteArray> lines = lock_.published().split('\n');
    if (lines.size() < 2 || !validname(lines[1])) return std::nullopt;
    return lines[1];
}

void LocalSingleInstance::setcommands(RemoteHandler handler) {
    handler_ = std::move(handler);
    for (const auto& [socket, command] : std::exchange(waiting_, {}))
        if (socket) answer(socket, command);
}

void LocalSingleInstance::listen() {
    if (server_ || listenfd_ < 0) return;
    server_ = new QLocalServer();
    server_->setMaxPendingConnections(kReadingBound);
    if (!server_->listen(listenfd_)) return;
    QObject::connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection())
            accept(s);
    });
}

void LocalSingleInstance::accept(QLocalSocket* s) {
    QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
    if (peeruser(static_cast<int>(s->socketDescriptor())) != static_cast<long>(::geteuid())) {
        s->abort();
        s->deleteLater();
        return;
    }
    // No fixed number of callers: one that holds its connection idle is dropped at its
    // deadline, or sooner when many more are still sending.
    std::erase_if(reading_, [](const QPointer<QLocalSocket>& r) { return r.isNull(); });
    reading_.emplace_back(s);
    while (static_cast<int>(reading_.size()) > kReadingBound) {
        if (QLocalSocket* oldest = reading_.front()) oldest->abort();
        reading_.pop_front();
    }
    // Too slow, too long or malformed: dropped unanswered, and nothing was done.
    auto* late = new QTimer(s);
    late->setObjectName(QStringLiteral("deadline"));
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
        std::erase(reading_, QPointer<QLocalSocket>(s));
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
    // A caller that stops reading its reply is not waited for.
    auto* late = s->findChild<QTimer*>(QStringLiteral("deadline"));
    if (late) late->start(kWriteMsecs);
    QObject::connect(s, &QLocalSocket::bytesWritten, s, [s, once, late] {
        if (late) late->start(kWriteMsecs);
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
    const QDeadlineTimer deadline(msecs);
    const QDeadlineTimer retry(std::min(msecs, kRetryMsecs));
    int fd = -1;
    for (;;) {
        // No copy holds the folder: nobody to tell.
        if (!lock_.takenbyany()) return std::nullopt;
        if (const auto name = socketname()) fd = connectto(*name);
        // Only a copy of this very user is told anything.
        if (fd >= 0 && peeruser(fd) != static_cast<long>(::geteuid())) {
            ::close(fd);
            return std::nullopt;
        }
        if (fd >= 0) break;
        // Not listening yet, or too many callers at once: tried again shortly.
        if (retry.hasExpired()) return std::nullopt;
        QThread::msleep(40);
    }
    const auto closer = qScopeGuard([fd] { ::close(fd); });
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

bool LocalSingleInstance::reachrunning() const {
    const auto reply = send({QString::fromLatin1(remoteverbs::Started), {}}, kRetryMsecs);
    return reply && reply->code == 0;
}

void LocalSingleInstance::broadcast() {
    reachrunning();
}
