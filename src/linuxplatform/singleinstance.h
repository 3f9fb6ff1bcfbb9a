#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

class QLocalServer;

// Keeps a second copy of the program from running: a lock file named after the
// program's mutex name (a crashed copy's stale lock is taken over), and a local
// socket named after its message, to which a second copy sends one message.
class SingleInstance {
public:
    SingleInstance(const QString& lockName, const QString& messageName);
    ~SingleInstance();

    // True when this is the only copy; the lock is then held until the process ends.
    bool acquire();
    // The running copy listens on the message socket and takes no action on it.
    void listen();
    // A second copy sends its one message to the running copy.
    void broadcast();
    int messagesReceived() const { return received_; }

    static QString runtimeFolder();

private:
    QString messagePath() const;

    QString lockName_;
    QString messageName_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    int received_ = 0;
};
