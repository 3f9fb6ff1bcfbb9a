#include "enginefixture.h"

#include <QTimeZone>

#include <stdexcept>
#include <utility>

using Activation = EngineTest;

TEST_F(Activation, LateralCountdownsStartedTogetherFireInOneTickInRowOrder) {
    const int a = add(countdown("A", 5));
    const int b = add(countdown("B", 5, /*repeat=*/false));
    const int idle = add(countdown("idle", 5, true, /*active=*/false));
    ws.clearmodified();
    QStringList clockAtFiring;
    sink.also = [&] { clockAtFiring = clockpanel; };

    tick(4);
    EXPECT_TRUE(sink.log.isEmpty());
    EXPECT_EQ(left(a), "1s");
    tick();
    EXPECT_EQ(sink.log, QStringList({"5:A", "5:B"}));
    EXPECT_EQ(clockAtFiring.last(), "     Current Time: 12:00:05");
    EXPECT_EQ(left(a), "5s"); // Repeat starts over
    EXPECT_EQ(sink.recs[0].Active, 1);
    EXPECT_EQ(left(b), "-"); // Run Once ends inactive, on the row and on disk
    EXPECT_EQ(state(b), "Inactive");
    EXPECT_EQ(stored(b).Active, 0);
    EXPECT_EQ(sink.recs[1].Active, 0);
    EXPECT_EQ(left(idle), "5s");
    EXPECT_FALSE(ws.modified()); // a firing is not an edit
}

TEST_F(Activation, SequentialCountdownsTakeTurns) {
    engine.setplaymode(PlayMode::Sequential);
    EXPECT_EQ(ws.db().readheader().Mode, 1);
    const int a = add(countdown("A", 3));
    const int b = add(countdown("B", 2));
    tick(2);
    EXPECT_EQ(left(b), "2s"); // waits for its turn
    tick();                   // A fires; B lies below and steps in the same tick
    EXPECT_EQ(left(b), "1s");
    tick(); // B fires; the turn wraps to A, which steps from the next tick
    EXPECT_EQ(left(a), "3s");
    tick(3);
    EXPECT_EQ(sink.log, QStringList({"3:A", "4:B", "7:A"}));

    engine.setplaymode(PlayMode::Lateral);
    tick();
    EXPECT_EQ(left(a), "2s");
    EXPECT_EQ(sink.log.last(), "8:B");
}

TEST_F(Activation, ALoneSequentialRepeatCountdownFollowsItself) {
    engine.setplaymode(PlayMode::Sequential);
    add(certain("off", QTime(3, 0, 0), true, false));
    add(countdown("only", 2));
    tick(6);
    EXPECT_EQ(sink.log, QStringList({"2:only", "4:only", "6:only"}));
}

TEST_F(Activation, AnInactiveFirstRowHoldsTheTurnUntilACertainTimePassesItOn) {
    engine.setplaymode(PlayMode::Sequential);
    add(countdown("idle", 3, true, /*active=*/false));
    const int waiting = add(countdown("waiting", 2));
    add(certain("noon", QTime(12, 0, 5)));
    tick(4);
    EXPECT_EQ(left(waiting), "2s");
    tick(); // the certain time runs though it is not the turn, then hands the turn on
    EXPECT_EQ(ws.seqrow(), waiting);
    tick(2);
    EXPECT_EQ(sink.log, QStringList({"5:noon", "7:waiting"}));
}

TEST_F(Activation, TheTurnFollowsItsCountdownThroughStopDeleteAndResume) {
    engine.setplaymode(PlayMode::Sequential);
    add(certain("above", QTime(3, 0, 0)));
    add(countdown("first", 4, /*repeat=*/false));
    add(countdown("second", 2));
    engine.remove(0); // rows move up, the turn moves with "first"
    EXPECT_EQ(ws.seqrow(), 0);
    engine.stop(0); // a stopped turn passes on
    EXPECT_EQ(ws.seqrow(), 1);
    engine.resume(0);
    engine.remove(1); // the running countdown goes: the next in line, wrapping, takes over
    EXPECT_EQ(ws.seqrow(), 0);
    tick(4);
    EXPECT_EQ(ws.seqrow(), -1); // the sequence ran out
    engine.resume(0);           // resuming starts it again; "-" is due at once
    tick();
    EXPECT_EQ(sink.log, QStringList({"4:first", "5:first"}));
}

TEST_F(Activation, ACertainTimeFiresOnItsSecondAndShowsTomorrowAfter) {
    const int row = add(certain("tea", QTime(12, 0, 5)));
    tick(4);
    EXPECT_EQ(left(row), "1s");
    tick();
    EXPECT_EQ(left(row), "-");
    tick();
    EXPECT_EQ(left(row), "23h59m59s");
    EXPECT_EQ(sink.log, QStringList({"5:tea"}));
}

TEST_F(Activation, ALateTickFiresASkippedCertainTimeOnceAndASecondTickInTheSameSecondNot) {
    const int row = add(certain("tea", QTime(12, 0, 5)));
    add(certain("midnight", QTime(0, 0, 1)));
    tickat(QTime(12, 0, 3));
    tickat(QTime(12, 0, 8)); // the thread was busy over 12:00:05
    EXPECT_EQ(left(row), "23h59m57s");
    tickat(QTime(12, 0, 9));
    tickat(QDateTime(clock.now().date().addDays(1), QTime(12, 0, 5, 5)));
    tickat(QDateTime(clock.now().date(), QTime(12, 0, 5, 900)));
    EXPECT_EQ(left(row), "-");
    tickat(QTime(23, 59, 58));
    tickat(QDateTime(clock.now().date().addDays(1), QTime(0, 0, 3)));
    tickat(QTime(0, 0, 4));
    EXPECT_EQ(sink.log, QStringList({"2:tea", "4:tea", "7:midnight"}));
}

TEST_F(Activation, AfterAGapOfMoreThanFiveMinutesACertainTimeIsMissed) {
    add(certain("a", QTime(12, 0, 1)));
    add(certain("b", QTime(12, 5, 1)));
    add(certain("c", QTime(13, 30, 0)));
    const int d = add(certain("d", QTime(14, 0, 0)));
    tickat(QTime(12, 0, 0));
    tickat(QTime(12, 5, 0));  // 300 s: fires "a"
    tickat(QTime(12, 10, 1)); // 301 s: "b" missed
    tickat(QTime(13, 0, 0));
    tickat(QTime(14, 0, 0)); // an hour: "c" missed
    EXPECT_EQ(left(d), "-");
    // Suspended for a day and a minute: the clock reads only a minute on.
    tickat(QDateTime(clock.now().date().addDays(1), QTime(12, 0, 0)));
    tickat(QDateTime(clock.now().date().addDays(1), QTime(12, 1, 0)));
    EXPECT_EQ(sink.log, QStringList({"2:a", "5:d"}));
}

TEST_F(Activation, AClockTurnedBackAnHourDoesNotFireTheDay) {
    const QTimeZone berlin("Europe/Berlin");
    if (!berlin.isValid()) GTEST_SKIP() << "no time zone data";
    add(certain("noon", QTime(12, 0, 0)));
    add(certain("two", QTime(2, 0, 0)));
    // 02:59:59 summer time, one second later 02:00:00 winter time.
    const QDateTime before = QDateTime::fromSecsSinceEpoch(1792889999, berlin);
    tickat(before);
    tickat(before.addSecs(1));
    EXPECT_EQ(sink.log, QStringList{"2:two"});
}

TEST_F(Activation, ATickAskedForDuringPresentationRunsAfterTheCurrentOne) {
    add(countdown("A", 1));
    const int b = add(countdown("B", 10));
    QString bAfterNested;
    bool nested = false;
    sink.also = [&] {
        if (std::exchange(nested, true)) return;
        engine.tick(); // as if presentation pumped a pending timer event
        bAfterNested = left(b);
    };
    tick();
    EXPECT_EQ(bAfterNested, "10s"); // not stepped under the running tick...
    EXPECT_EQ(left(b), "8s");       // ...nor lost
    EXPECT_EQ(sink.log.size(), 2);

    sink.also = [] { throw std::runtime_error("cannot show"); };
    EXPECT_THROW(tick(), std::runtime_error);
    EXPECT_EQ(left(b), "8s"); // the rows after the failure wait
    sink.also = nullptr;
    tick();
    EXPECT_EQ(left(b), "7s");
}

TEST_F(Activation, CommandsWithoutASelectionAskForOne) {
    add(countdown("A", 3));
    ws.clearmodified();
    engine.edit(-1);
    engine.remove(-1);
    engine.stop(5);
    engine.resume(-1);
    const QString select = "Select a Notification in the list to perform this action.";
    EXPECT_EQ(messages, QStringList({"Select a Notification in the list to perform this action or "
                                     "create a new Notification if the list is empty.",
                                     select, select, select}));
    EXPECT_FALSE(ws.modified());
    EXPECT_EQ(ws.rowcount(), 1);
    EXPECT_EQ(stored(0).Active, 1);
}

TEST_F(Activation, StopAndResumeContinueFromTheRemainingTime) {
    const int row = add(countdown("tea", 4 * 60 + 12));
    const int once = add(countdown("once", 2, /*repeat=*/false));
    tick(2);
    ASSERT_EQ(left(row), "4m10s");
    engine.stop(row);
    EXPECT_EQ(stored(row).Active, 0);
    tick(3);
    EXPECT_EQ(left(row), "4m10s");
    engine.resume(row);
    engine.resume(once); // fired: "-" is due at the next tick
    EXPECT_EQ(state(row), "Active");
    EXPECT_EQ(stored(row).Active, 1);
    tick();
    EXPECT_EQ(left(row), "4m9s");
    EXPECT_EQ(sink.log, QStringList({"2:once", "6:once"}));
    EXPECT_EQ(state(once), "Inactive");
}

TEST_F(Activation, ResumeOfACountdownWithoutTimeRefuses) {
    const int zero = add(countdown("zero", 0, true, false));
    const int midnight = add(certain("midnight", QTime(0, 0, 0), true, false));
    ws.clearmodified();
    engine.resume(zero);
    EXPECT_EQ(messages, QStringList{"Time not set, unable to activate Notification"});
    EXPECT_EQ(state(zero), "Inactive");
    EXPECT_EQ(ws.rows().row(zero).subImage[rowpart::State], icon::Inactive);
    EXPECT_EQ(stored(zero).Active, 0);
    EXPECT_TRUE(ws.modified());
    EXPECT_TRUE(engine.resumeone(ws.rows().recordindex(midnight))); // a time, not "no time"
}

TEST_F(Activation, StopAllAndStartAll) {
    engine.stopall();
    EXPECT_FALSE(ws.modified()); // an empty list is left alone
    const int cd = add(countdown("cd", 5));
    const int zero = add(countdown("zero", 0, true, false));
    const int at = add(certain("at", QTime(18, 0, 0)));
    tick(2);
    engine.stopall();
    for (int r : {cd, zero, at})
        EXPECT_EQ(stored(r).Active, 0) << r;
    EXPECT_EQ(state(at), "Inactive");
    engine.startall();
    EXPECT_EQ(state(cd), "Active");
    EXPECT_EQ(stored(at).Active, 1);
    EXPECT_EQ(stored(zero).Active, 0); // silently skipped
    EXPECT_TRUE(messages.isEmpty());
    tick();
    EXPECT_EQ(left(cd), "2s");
}

TEST_F(Activation, EditAndDelete) {
    const int a = add(countdown("A", 3));
    add(countdown("B", 3));
    add(countdown("C", 3));
    ws.clearmodified();
    engine.edit(a); // the turn passes on in either mode
    EXPECT_EQ(ws.seqrow(), 1);
    EXPECT_EQ(stored(a).Active, 0);
    EXPECT_EQ(state(a), "Inactive");
    EXPECT_EQ(edits, (QList<QPair<int32_t, int>>{{1, a}}));
    EXPECT_TRUE(ws.modified());

    engine.remove(1);
    EXPECT_EQ(ws.rowcount(), 2);
    EXPECT_EQ(ws.rows().recordindex(1).value, 3);
    EXPECT_EQ(ws.db().readnotification(2).Deleted, 1);
    EXPECT_EQ(ws.db().recordsPresent(), 4); // the slot stays
    tick(3);
    EXPECT_EQ(sink.log, QStringList({"3:C"}));
}
