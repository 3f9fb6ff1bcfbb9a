#pragma once

#include <QDateTime>

// Local time of day, the one place the program reads the clock. Tests set it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};
