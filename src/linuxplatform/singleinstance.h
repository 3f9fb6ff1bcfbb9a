#pragma once

#include "platform/singleinstance.h"

#include <QLockFile>
#include <QString>

#include <memory>

class QLocalServer;

// A lock file named after the program's mutex name (a crashed copy's stale lock is
// taken over), and a local socket named after its message, on which a second copy
// says that it was started.
class LocalSingleInstance : public SingleInstance {
    Q_OBJECT
public:
    LocalSingleInstance(const QString& lockName, const QString& messageName);
    ~LocalSingleInstance() override;

    bool acquire() override;
    void listen() override;
    void broadcast() override;

    static QString runtimeFolder();

private:
    QString messagePath() const;

    QString lockName_;
    QString messageName_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};
