#pragma once

#include <QObject>
#include <QTimer>

#include <limits>

class Clock;

// The program's one-second beat. Fires once per wall-clock second, a few
// milliseconds after the second begins, so a tick never lands on the edge where
// timer jitter could make it see one second twice or skip one. Re-aimed at every
// tick, so a late tick does not push the following ones late.
class SecondTicker : public QObject {
    Q_OBJECT
public:
    explicit SecondTicker(const Clock& clock, QObject* parent = nullptr);

    void start();
    void stop();
    // The tick now, if the clock's second moved on (the machine woke): the timer's
    // own clock may have stood still meanwhile. Re-aimed either way.
    void catchup();
    bool isActive() const { return timer_.isActive(); }
    // Milliseconds until the timer fires next; -1 when stopped.
    int remainingTime() const { return timer_.remainingTime(); }

    // How far past the second boundary the tick is aimed.
    static constexpr int kMarginMs = 5;
    // Delay from a moment `msecInSecond` into a second to just after the next boundary.
    static int delaytonext(int msecInSecond);

signals:
    void tick();

private:
    void fire();
    void aim(qint64 epochMs);

    const Clock& clock_;
    QTimer timer_;
    qint64 lastsecond_ = std::numeric_limits<qint64>::min();
};
