#include "linuxplatform/singleinstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString& lockName, const QString& messageName)
    : lockName_(lockName), messageName_(messageName) {}

SingleInstance::~SingleInstance() {
    delete server_;
}

QString SingleInstance::runtimeFolder() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    return dir;
}

QString SingleInstance::messagePath() const {
    return runtimeFolder() + QLatin1Char('/') + messageName_;
}

bool SingleInstance::acquire() {
    lock_ = std::make_unique<QLockFile>(runtimeFolder() + QLatin1Char('/') + lockName_ + ".lock");
    // A lock whose owner process is gone counts as stale and is taken over.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) return true;
    if (lock_->error() == QLockFile::LockFailedError) {
        lock_->removeStaleLockFile();
        if (lock_->tryLock(0)) return true;
    }
    lock_.reset();
    return false;
}

void SingleInstance::listen() {
    if (server_) return;
    server_ = new QLocalServer();
    QLocalServer::removeServer(messagePath()); // we hold the lock: any socket file is stale
    server_->listen(messagePath());
    QObject::connect(server_, &QLocalServer::newConnection, server_, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
            ++received_;
            QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            s->readAll();
        }
    });
}

void SingleInstance::broadcast() {
    QLocalSocket socket;
    socket.connectToServer(messagePath());
    if (!socket.waitForConnected(500)) return;
    socket.write(messageName_.toUtf8());
    socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
}
