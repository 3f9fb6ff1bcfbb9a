#pragma once

#include "platform/clock.h"

// The machine's local time.
class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 epochmsecs() const override { return QDateTime::currentMSecsSinceEpoch(); }
    // The boot clock, which also counts the time the machine slept.
    qint64 elapsedmsecs() const override;
};
