#pragma once

#include "platform/sleepwatch.h"

#include <QDBusConnection>

// logind's PrepareForSleep signal on the system bus. Only listens: it takes no inhibitor
// lock, so it never delays a sleep.
class LogindSleepWatch : public SleepWatch {
    Q_OBJECT
public:
    explicit LogindSleepWatch(QDBusConnection bus = QDBusConnection::systemBus(),
                              QObject* parent = nullptr);
    // Whether the bus took the subscription (no bus, no news).
    bool listening() const { return listening_; }

private slots:
    void preparingForSleep(bool sleeping);

private:
    bool listening_ = false;
};
