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
    // Almost a day later: what fell into the gap fires once, in the order of its times.
    tickat(QDateTime(clock.now().date().addDays(1), QTime(12, 0, 5, 5)));
    tickat(QDateTime(clock.now().date(), QTime(12, 0, 5, 900)));
    EXPECT_EQ(left(row), "-");
    tickat(QTime(23, 59, 58));
    tickat(QDateTime(clock.now().date().addDays(1), QTime(0, 0, 3)));
    tickat(QTime(0, 0, 4));
    EXPECT_EQ(sink.log, QStringList({"2:tea", "4:midnight", "4:tea", "7:midnight"}));
}

// A gap from 12:00:00 (a late tick, a stopped process, a sleeping machine): what fires,
// in order, and what the two long countdowns have left.
struct Gap {
    qint64 secs;
    const char* fired;
    const char* lefta;
    const char* leftc;
};

class AfterAGap : public EngineTest, public ::testing::WithParamInterface<Gap> {};

TEST_P(AfterAGap, ThePassedSecondsCountAtTheNextTickAndNothingFiresTwice) {
    const Gap& gap = GetParam();
    engine.tick(); // 12:00:00, before the list is filled
    const int a = add(countdown("A", 300, /*repeat=*/false));
    add(countdown("B", 2));
    const int c = add(countdown("C", 7200));
    add(certain("D", QTime(12, 0, 2), /*repeat=*/false));
    add(certain("E", QTime(11, 0, 0)));
    add(certain("F", QTime(12, 30, 0)));
    tickat(clock.now().addSecs(gap.secs));
    QStringList fired;
    for (const TNotificationRecord& rec : sink.recs)
        fired << QString::fromStdString(rec.MessageText);
    EXPECT_EQ(fired.join(' '), gap.fired);
    EXPECT_EQ(left(a), gap.lefta);
    EXPECT_EQ(left(c), gap.leftc);
    EXPECT_EQ(stored(a).Active, left(a) == "-" ? 0 : 1);
    tick(); // no burst of missed repeats follows
    QStringList all;
    for (const TNotificationRecord& rec : sink.recs)
        all << QString::fromStdString(rec.MessageText);
    all.removeDuplicates();
    EXPECT_EQ(all.size(), sink.recs.size());
}

INSTANTIATE_TEST_SUITE_P(Gaps, AfterAGap,
                         ::testing::Values(Gap{2, "B D", "4m58s", "1h59m58s"},
                                           Gap{299, "B D", "1s", "1h55m1s"},
                                           Gap{301, "A B D", "-", "1h54m59s"},
                                           Gap{3600, "A B D F", "-", "60m"},
                                           Gap{25 * 3600, "A B C E D F", "-", "2h"},
                                           Gap{3 * 86400, "A B C D F E", "-", "2h"}));

// A certain time is due in the seconds passed since the last tick, and in no other: not at
// the last tick's own second (seen then), not one second after now; a gap of a day or
// more holds every second once. Sorted names of what fired at the gap's tick and the tick
// a second later.
struct Window {
    qint64 secs;
    const char* atgap;
    const char* after;
};

class DueWindow : public EngineTest, public ::testing::WithParamInterface<Window> {};

TEST_P(DueWindow, ACertainTimeIsDueInTheSecondsPassedAndNoOther) {
    const Window& w = GetParam();
    const QDateTime last = clock.now();
    engine.tick(); // before the list is filled
    const std::pair<const char*, qint64> rows[] = {
        {"lasttick", 0}, {"gapfirst", 1}, {"now", w.secs}, {"next", w.secs + 1}};
    for (const auto& [name, offset] : rows)
        add(certain(name, last.addSecs(offset).time()));
    const auto fired = [this] {
        QStringList names;
        for (const TNotificationRecord& rec : std::exchange(sink.recs, {}))
            names << QString::fromStdString(rec.MessageText);
        names.sort();
        return names.join(' ');
    };
    tickat(last.addSecs(w.secs));
    EXPECT_EQ(fired(), w.atgap);
    tick();
    EXPECT_EQ(fired(), w.after);
}

INSTANTIATE_TEST_SUITE_P(
    Gaps, DueWindow,
    ::testing::Values(Window{1, "gapfirst now", "next"}, Window{2, "gapfirst now", "next"},
                      Window{86399, "gapfirst now", "lasttick next"},
                      Window{86400, "gapfirst lasttick next now", "gapfirst next"},
                      Window{86401, "gapfirst lasttick next now", "next"}));

TEST_F(Activation, InSequentialModeAGapMovesTheTurnAndTheNextCountdownStartsFresh) {
    engine.setplaymode(PlayMode::Sequential);
    engine.tick();
    const int a = add(countdown("A", 10));
    const int b = add(countdown("B", 5, /*repeat=*/false));
    tickat(clock.now().addSecs(4));
    EXPECT_EQ(left(a), "6s");
    EXPECT_EQ(left(b), "5s"); // not its turn
    tickat(clock.now().addSecs(3600));
    EXPECT_EQ(left(a), "10s");
    EXPECT_EQ(left(b), "4s"); // its first second, not the hour
    tickat(clock.now().addSecs(301));
    tick();
    EXPECT_EQ(left(a), "9s"); // the turn wrapped: A starts on the tick after
    EXPECT_EQ(sink.log, QStringList({"2:A", "3:B"}));
}

TEST_F(Activation, AClockTurnedBackFiresNothingTwiceAndCountdownsFollowRealTime) {
    add(certain("tea", QTime(1, 45, 0)));
    const int cd = add(countdown("cd", 7200));
    tickat(QTime(1, 44, 59));
    tick();
    clock.advance(15 * 60 * 1000);
    tickat(clock.now()); // 02:00:00
    EXPECT_EQ(left(cd), "1h44m58s");
    clock.advance(1000);
    tickat(QTime(1, 0, 1)); // the clock is turned back an hour
    EXPECT_EQ(left(cd), "1h44m57s");
    clock.advance(50 * 60 * 1000);
    tickat(clock.now()); // 01:50:01, the second time
    EXPECT_EQ(left(cd), "54m57s");
    engine.stop(cd);
    tickat(QDateTime(clock.now().date().addDays(1), QTime(1, 45, 0)));
    EXPECT_EQ(sink.log, QStringList({"2:tea", "6:tea"}));
}

TEST_F(Activation, TheDaysEdges) {
    add(certain("last", QTime(23, 59, 59)));
    add(certain("first", QTime(0, 0, 0)));
    TNotificationRecord never = certain("never", QTime(0, 0, 0));
    never.Hours = 24; // a time of day that never comes round
    add(never);
    tickat(QTime(23, 59, 58));
    tick(2);
    tickat(QTime(23, 59, 50)); // nearly a day on, with both edges just outside
    tickat(QDateTime(clock.now().date().addDays(1), QTime(0, 0, 10))); // midnight in the gap
    tickat(QDateTime(clock.now().date().addDays(3), QTime(0, 0, 10)));
    EXPECT_EQ(sink.log,
              QStringList({"2:last", "3:first", "5:last", "5:first", "6:last", "6:first"}));
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
        clock.advance(1000);
        engine.tick(); // as if presentation pumped the next second's timer event
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
    EXPECT_EQ(ws.db().readnotification(RecordIndex(2)).Deleted, 1);
    EXPECT_EQ(ws.db().recordspresent(), 4); // the slot stays
    tick(3);
    EXPECT_EQ(sink.log, QStringList({"3:C"}));
}
