#pragma once

#include <QDateTime>

// Local time of day, the one place the program reads the clock. Tests set it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // The same moment as milliseconds since the epoch. Reading local time looks at the
    // machine's time zone (a file) every time, which a reader of the moment alone skips.
    virtual qint64 epochmsecs() const { return now().toMSecsSinceEpoch(); }
    // Milliseconds from a fixed point, not moved when the wall clock is set: what
    // tells real time passing from a clock turned back.
    virtual qint64 elapsedmsecs() const = 0;
};
