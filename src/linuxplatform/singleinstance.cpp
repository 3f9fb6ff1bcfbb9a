#include "linuxplatform/singleinstance.h"

#include "linuxplatform/activationtoken.h"
#include "linuxplatform/commandframe.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSocketNotifier>
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
    delete listening_;
    if (listenfd_ >= 0) ::close(listenfd_);
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
    for (const auto& [call, command] : std::exchange(waiting_, {}))
        if (call) answer(call, command);
}

void LocalSingleInstance::listen() {
    if (listening_ || listenfd_ < 0) return;
    // The plain socket in Qt Core: a local server class would map Qt's network library
    // and what it links into every start.
    listening_ = new QSocketNotifier(listenfd_, QSocketNotifier::Read);
    QObject::connect(listening_, &QSocketNotifier::activated, this,
                     &LocalSingleInstance::acceptall);
}

void LocalSingleInstance::acceptall() {
    for (;;) {
        const int fd = ::accept4(listenfd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return; // EAGAIN: all taken; anything else: tried again at the next call
        }
        if (peeruser(fd) != static_cast<long>(::geteuid())) {
            ::close(fd);
            continue;
        }
        auto* call = new ChannelCall(fd, kReadMsecs, this);
        QObject::connect(call, &ChannelCall::ended, call, &QObject::deleteLater);
        // No fixed number of callers: one that holds its connection idle is dropped at its
        // deadline, or sooner when many more are still sending.
        std::erase_if(reading_, [](const QPointer<ChannelCall>& r) { return r.isNull(); });
        reading_.emplace_back(call);
        while (static_cast<int>(reading_.size()) > kReadingBound) {
            if (ChannelCall* oldest = reading_.front()) oldest->abort();
            reading_.pop_front();
        }
        QObject::connect(call, &ChannelCall::received, this,
                         [this, call](const RemoteCommand& command) {
                             std::erase(reading_, QPointer<ChannelCall>(call));
                             answer(call, command);
                         });
    }
}

void LocalSingleInstance::answer(ChannelCall* call, const RemoteCommand& command) {
    RemoteReply reply;
    if (!handler_ && command.verb != QLatin1String(remoteverbs::Started)) {
        // Answered once the copy has started.
        waiting_.emplace_back(call, command);
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
        const QPointer<ChannelCall> alive(call);
        reply.later([this, alive](const RemoteReply& later) {
            if (alive) sendreply(alive, later);
        });
        return;
    }
    sendreply(call, reply);
}

void LocalSingleInstance::sendreply(ChannelCall* call, const RemoteReply& reply) {
    QByteArray bytes = commandframe::reply(reply);
    if (bytes.size() - commandframe::kHeaderBytes > commandframe::kMaxReply)
        bytes =
            commandframe::reply({1, {}, QStringLiteral("The answer is too long to send."), {}, {}});
    // Whatever comes after the reply runs once it has left or the caller is gone, from the
    // event loop itself.
    if (const auto then = reply.then)
        QObject::connect(call, &ChannelCall::ended, this,
                         [this, then] { QTimer::singleShot(0, this, then); });
    call->reply(bytes, kWriteMsecs);
}

ChannelCall::ChannelCall(int fd, int readmsecs, QObject* parent)
    : QObject(parent), fd_(fd), in_(new QSocketNotifier(fd, QSocketNotifier::Read, this)),
      out_(new QSocketNotifier(fd, QSocketNotifier::Write, this)), late_(new QTimer(this)) {
    out_->setEnabled(false);
    connect(in_, &QSocketNotifier::activated, this, &ChannelCall::readable);
    connect(out_, &QSocketNotifier::activated, this, &ChannelCall::writable);
    // Too slow, too long or malformed: dropped unanswered, and nothing was done.
    late_->setSingleShot(true);
    connect(late_, &QTimer::timeout, this, &ChannelCall::abort);
    late_->start(readmsecs);
}

ChannelCall::~ChannelCall() {
    if (!closed_) ::close(fd_);
}

void ChannelCall::abort() {
    if (closed_) return;
    closed_ = true;
    in_->setEnabled(false);
    out_->setEnabled(false);
    late_->stop();
    ::close(fd_);
    emit ended();
}

void ChannelCall::readable() {
    // After its one frame the caller only waits; what it sends then is not read, but its
    // going is heard.
    for (;;) {
        if (!heard_ && length_ &&
            inbuf_.size() == commandframe::kHeaderBytes + qsizetype(*length_)) {
            const auto command = commandframe::parserequest(inbuf_.mid(commandframe::kHeaderBytes));
            // One frame and nothing after it.
            char extra = 0;
            if (!command || ::recv(fd_, &extra, 1, MSG_PEEK | MSG_DONTWAIT) > 0) return abort();
            heard_ = true;
            late_->stop();
            inbuf_ = QByteArray();
            emit received(*command);
            return;
        }
        char scratch[256];
        const qsizetype have = inbuf_.size();
        const qsizetype want = heard_ ? qsizetype(sizeof scratch)
                                      : (length_ ? commandframe::kHeaderBytes + qsizetype(*length_)
                                                 : commandframe::kHeaderBytes) -
                                            have;
        if (!heard_) inbuf_.resize(have + want);
        char* into = heard_ ? scratch : inbuf_.data() + have;
        const ssize_t n = ::recv(fd_, into, static_cast<std::size_t>(want), MSG_DONTWAIT);
        if (!heard_) inbuf_.resize(have + std::max<qsizetype>(n, 0));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        if (n <= 0) return abort(); // gone, or broken
        if (!heard_ && !length_ && inbuf_.size() == commandframe::kHeaderBytes) {
            length_ = commandframe::payloadlength(inbuf_, commandframe::kMaxRequest);
            if (!length_) return abort();
        }
    }
}

void ChannelCall::reply(const QByteArray& bytes, int msecs) {
    if (closed_) return;
    outbuf_ = bytes;
    late_->setInterval(msecs);
    late_->start();
    writable();
}

void ChannelCall::writable() {
    while (!closed_ && !outbuf_.isEmpty()) {
        const ssize_t n = ::send(fd_, outbuf_.constData(), static_cast<std::size_t>(outbuf_.size()),
                                 MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            out_->setEnabled(true);
            return;
        }
        if (n <= 0) return abort();
        outbuf_.remove(0, n);
        late_->start(); // progress: the caller reads
    }
    if (!closed_) abort(); // all sent: the connection ends here
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
