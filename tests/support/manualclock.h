#pragma once

#include "platform/clock.h"

// A clock that only moves when told to. `advance` is time passing; `set` moves the
// wall clock alone, as setting it or a sleeping machine does.
class ManualClock : public Clock {
public:
    explicit ManualClock(QDateTime start = QDateTime(QDate(2026, 1, 1), QTime(12, 0, 0)))
        : now_(start) {}
    QDateTime now() const override { return now_; }
    qint64 elapsedmsecs() const override { return elapsed_; }
    void set(const QTime& t) { now_.setTime(t); }
    void set(const QDateTime& t) { now_ = t; }
    void advance(qint64 msecs) {
        now_ = now_.addMSecs(msecs);
        elapsed_ += msecs;
    }

private:
    QDateTime now_;
    qint64 elapsed_ = 0;
};
