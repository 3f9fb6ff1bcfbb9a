#include "schedule/secondticker.h"

#include "platform/clock.h"

namespace {
qint64 floordiv(qint64 a, qint64 b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
} // namespace

SecondTicker::SecondTicker(const Clock& clock, QObject* parent) : QObject(parent), clock_(clock) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &SecondTicker::fire);
}

int SecondTicker::delaytonext(int msecInSecond) {
    return 1000 - msecInSecond + kMarginMs;
}

void SecondTicker::start() {
    // The second we start in counts as seen: the first tick comes at the next boundary.
    const qint64 ms = clock_.epochmsecs();
    lastsecond_ = floordiv(ms, 1000);
    aim(ms);
}

void SecondTicker::stop() {
    timer_.stop();
}

void SecondTicker::catchup() {
    if (timer_.isActive()) fire();
}

void SecondTicker::aim(qint64 epochMs) {
    timer_.start(delaytonext(static_cast<int>(epochMs - floordiv(epochMs, 1000) * 1000)));
}

void SecondTicker::fire() {
    const qint64 ms = clock_.epochmsecs();
    const qint64 second = floordiv(ms, 1000);
    // Aim before emitting: a slow tick must not delay the next one.
    aim(ms);
    // A timer that came back a little early sees its second again: wait for the next.
    if (second == lastsecond_) return;
    lastsecond_ = second;
    emit tick();
}
