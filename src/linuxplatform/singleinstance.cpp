#include "linuxplatform/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

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
            // What a copy sends is not read: that it connected is the whole message, so
            // nothing another local program writes here can do more than bring us forward.
            QObject::connect(s, &QLocalSocket::readyRead, s, [s] { s->readAll(); });
            QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            emit startedAgain();
        }
    });
}

void LocalSingleInstance::broadcast() {
    QLocalSocket socket;
    socket.connectToServer(messagePath());
    if (!socket.waitForConnected(500)) return;
    socket.write(messageName_.toUtf8());
    socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
}
