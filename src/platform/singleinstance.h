#pragma once

#include "platform/remotecommand.h"

#include <QObject>

// Keeps a second copy of the program from running. The second copy tells the running
// one that it was started, so the running copy can come forward; later starts with a
// command on their command line hand it to the running copy the same way.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // True when this is the only copy; it then stays the only one until it ends.
    virtual bool acquire() = 0;
    // The running copy starts hearing from later copies.
    virtual void listen() = 0;
    // A second copy tells the running copy that it was started.
    virtual void broadcast() = 0;
    // Who answers the commands of later copies; until it is set they are refused.
    virtual void setcommands(RemoteHandler handler) = 0;

signals:
    void startedAgain();
};
