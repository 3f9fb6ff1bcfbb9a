#include "enginefixture.h"

using CertainTime = EngineTest;

TEST_F(CertainTime, FiresExactlyOnItsSecondAndShowsTomorrowAfter) {
    const int row = add(certain("tea", QTime(12, 0, 5)));
    tick(4);
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(left(row), "1s");
    tick();
    EXPECT_EQ(sink.log(), QStringList({"5:tea"}));
    EXPECT_EQ(left(row), "-");
    tick();
    EXPECT_EQ(left(row), "23h59m59s");
    EXPECT_EQ(sink.shown.size(), 1u);
}

TEST_F(CertainTime, ALateTickStillFiresASkippedSecondOnce) {
    const int row = add(certain("tea", QTime(12, 0, 5)));
    tickat(QTime(12, 0, 3));
    tickat(QTime(12, 0, 8)); // the thread was busy over 12:00:05
    EXPECT_EQ(sink.names(), QStringList({"tea"}));
    EXPECT_EQ(left(row), "23h59m57s");
    tickat(QTime(12, 0, 9));
    tickat(QTime(12, 0, 12));
    EXPECT_EQ(sink.names(), QStringList({"tea"}));
}

TEST_F(CertainTime, TheLateWindowEndsAtFiveMinutes) {
    add(certain("within", QTime(12, 0, 1)));
    tickat(QTime(12, 0, 0));
    tickat(QTime(12, 5, 0)); // 300 s later
    EXPECT_EQ(sink.names(), QStringList({"within"}));

    add(certain("beyond", QTime(12, 5, 1)));
    tickat(QTime(12, 10, 1)); // 301 s later: a suspended machine, not a late tick
    EXPECT_EQ(sink.names(), QStringList({"within"}));
}

TEST_F(CertainTime, AGapOfAnHourMissesItUntilTomorrow) {
    const int row = add(certain("tea", QTime(12, 0, 5)));
    tickat(QTime(11, 59, 0));
    tickat(QTime(12, 59, 0));
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(left(row), "23h1m5s");
    // The next day it comes round as usual.
    tickat(QDateTime(clock.now().date().addDays(1), QTime(12, 0, 4)));
    tickat(QDateTime(clock.now().date(), QTime(12, 0, 5)));
    EXPECT_EQ(sink.names(), QStringList({"tea"}));

    // Suspended for a day and a minute: the clock reads only a minute on.
    tickat(QDateTime(clock.now().date(), QTime(12, 0, 0)));
    tickat(QDateTime(clock.now().date().addDays(1), QTime(12, 1, 0)));
    EXPECT_EQ(sink.names(), QStringList({"tea"}));
}

TEST_F(CertainTime, TwoTicksInOneSecondFireOnce) {
    const int row = add(certain("tea", QTime(12, 0, 5)));
    const QDateTime second(clock.now().date(), QTime(12, 0, 5));
    tickat(second.addMSecs(-1000));
    tickat(second.addMSecs(5));
    tickat(second.addMSecs(900));
    EXPECT_EQ(sink.names(), QStringList({"tea"}));
    EXPECT_EQ(left(row), "-");
}

TEST_F(CertainTime, ALateTickAcrossMidnightFiresOnce) {
    add(certain("midnight", QTime(0, 0, 1)));
    const QDate today = clock.now().date();
    tickat(QDateTime(today, QTime(23, 59, 58)));
    tickat(QDateTime(today.addDays(1), QTime(0, 0, 3)));
    tickat(QDateTime(today.addDays(1), QTime(0, 0, 4)));
    EXPECT_EQ(sink.names(), QStringList({"midnight"}));
}

TEST_F(CertainTime, RunOnceFiresOnceAndAnInactiveOneNever) {
    const int once = add(certain("once", QTime(12, 0, 2), /*repeat=*/false));
    const int off = add(certain("off", QTime(12, 0, 2), true, /*active=*/false));
    tick(2);
    EXPECT_EQ(sink.names(), QStringList({"once"}));
    EXPECT_EQ(state(once), "Inactive");
    EXPECT_EQ(stored(once).Active, 0);
    EXPECT_EQ(left(off), "2s"); // frozen as it was when added at 12:00:00
}
