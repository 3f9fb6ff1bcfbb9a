#include "schedule/secondticker.h"
#include "support/manualclock.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(SecondTicker, AimsJustPastTheNextSecondBoundary) {
    for (int ms : {0, 1, 250, 500, 994, 995, 999}) {
        const int delay = SecondTicker::delaytonext(ms);
        const int landsAt = ms + delay; // in ms from the start of the current second
        EXPECT_GT(landsAt, 1000) << ms;
        EXPECT_LE(landsAt, 1000 + SecondTicker::kMarginMs) << ms;
    }

    ManualClock clock(QDateTime(QDate(2026, 3, 2), QTime(12, 0, 0, 250)));
    SecondTicker ticker(clock);
    EXPECT_FALSE(ticker.isActive());
    ticker.start();
    EXPECT_TRUE(ticker.isActive());
    EXPECT_GT(ticker.remainingTime(), 700);
    EXPECT_LE(ticker.remainingTime(), 750 + SecondTicker::kMarginMs);
    ticker.stop();
    EXPECT_FALSE(ticker.isActive());
}

TEST(SecondTicker, TicksOncePerSecondOfTheClock) {
    // Close to a boundary, so the timer comes back within milliseconds.
    ManualClock clock(QDateTime(QDate(2026, 3, 2), QTime(12, 0, 0, 995)));
    SecondTicker ticker(clock);
    QSignalSpy ticks(&ticker, &SecondTicker::tick);
    ticker.start();

    // The clock has not reached the next second: the timer came "early" and
    // must wait again rather than show the same second twice.
    QTest::qWait(80);
    EXPECT_EQ(ticks.count(), 0);
    EXPECT_TRUE(ticker.isActive());

    clock.set(QDateTime(QDate(2026, 3, 2), QTime(12, 0, 1, 994)));
    ASSERT_TRUE(ticks.wait(2000));
    EXPECT_EQ(ticks.count(), 1);
    QTest::qWait(50);
    EXPECT_EQ(ticks.count(), 1);

    clock.advance(10); // into 12:00:02
    ASSERT_TRUE(ticks.wait(2000));
    EXPECT_EQ(ticks.count(), 2);
}

TEST(SecondTicker, CatchesUpAtOnceWhenTheClockMovedOnUnderIt) {
    ManualClock clock(QDateTime(QDate(2026, 3, 2), QTime(12, 0, 0, 250)));
    SecondTicker ticker(clock);
    QSignalSpy ticks(&ticker, &SecondTicker::tick);
    ticker.catchup(); // stopped: nothing
    ticker.start();
    ticker.catchup(); // the same second
    EXPECT_EQ(ticks.count(), 0);
    clock.set(clock.now().addSecs(3600)); // woke an hour later
    ticker.catchup();
    EXPECT_EQ(ticks.count(), 1);
    EXPECT_TRUE(ticker.isActive());
}
