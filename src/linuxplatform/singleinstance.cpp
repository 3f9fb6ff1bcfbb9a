#include "linuxplatform/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <algorithm>
#include <memory>

namespace {
constexpr qint64 kMaxMessage = 1024;
// Where launchers put the token, and where Qt's Wayland platform takes it from when a
// window asks to come forward.
constexpr const char* kActivationToken = "XDG_ACTIVATION_TOKEN";

bool isactivationtoken(const QByteArray& token) {
    return !token.isEmpty() && token.size() <= 255 &&
           std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 127; });
}
} // namespace

LocalSingleInstance::LocalSingleInstance(const QString& lockName, const QString& messageName)
    : lockName_(lockName), messageName_(messageName) {}

LocalSingleInstance::~LocalSingleInstance() {
    delete server_;
}

QString LocalSingleInstance::runtimeFolder() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    return dir;
}

QString LocalSingleInstance::messagePath() const {
    return runtimeFolder() + QLatin1Char('/') + messageName_;
}

bool LocalSingleInstance::acquire() {
    const QString path = runtimeFolder() + QLatin1Char('/') + lockName_ + ".lock";
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

void LocalSingleInstance::listen() {
    if (server_) return;
    server_ = new QLocalServer();
    QLocalServer::removeServer(messagePath()); // we hold the lock: any socket file is stale
    server_->listen(messagePath());
    QObject::connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
            // A copy sends its name and perhaps the activation token its launcher gave
            // it; nothing another local program writes here can do more than bring us
            // forward.
            auto said = std::make_shared<QByteArray>();
            QObject::connect(s, &QLocalSocket::readyRead, s, [s, said] {
                *said += s->read(std::max<qint64>(0, kMaxMessage - said->size()));
                s->readAll();
            });
            QObject::connect(s, &QLocalSocket::disconnected, this, [this, s, said] {
                s->deleteLater();
                const QList<QByteArray> lines = said->split('\n');
                const QByteArray token = lines.size() > 1 ? lines[1] : QByteArray();
                if (isactivationtoken(token)) qputenv(kActivationToken, token);
                emit startedAgain();
            });
        }
    });
}

void LocalSingleInstance::broadcast() {
    QLocalSocket socket;
    socket.connectToServer(messagePath());
    if (!socket.waitForConnected(500)) return;
    // Wayland lets only a window that holds a token from the user's action come forward.
    socket.write(messageName_.toUtf8() + '\n' + qgetenv(kActivationToken));
    socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
}
