#pragma once

#include <QDateTime>

// Local time of day, the one place the program reads the clock. Tests set it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // Milliseconds from a fixed point, not moved when the wall clock is set: what
    // tells real time passing from a clock turned back.
    virtual qint64 elapsedmsecs() const = 0;
};
