#include "enginefixture.h"

class Sequential : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        engine.ComboBox5Change("Sequential");
    }
};

TEST_F(Sequential, CountdownsTakeTurnsAndTheNextStartsInTheSameTick) {
    const int a = add(countdown("A", 3));
    const int b = add(countdown("B", 2));
    ASSERT_EQ(ws.seqrow, a);

    tick(2);
    EXPECT_EQ(left(a), "1s");
    EXPECT_EQ(left(b), "2s"); // waiting for its turn

    tick(); // A fires; B lies below, so it takes its first step now
    EXPECT_EQ(ws.seqrow, b);
    EXPECT_EQ(left(a), "3s");
    EXPECT_EQ(left(b), "1s");

    tick(); // B fires; the turn wraps to A, which steps from the next tick on
    EXPECT_EQ(ws.seqrow, a);
    EXPECT_EQ(left(a), "3s");

    tick(3);
    EXPECT_EQ(sink.log(), QStringList({"3:A", "4:B", "7:A"}));
}

TEST_F(Sequential, ALoneRepeatCountdownFollowsItself) {
    add(certain("clock", QTime(3, 0, 0), true, /*active=*/false));
    const int only = add(countdown("only", 2));
    tick(6);
    EXPECT_EQ(sink.log(), QStringList({"2:only", "4:only", "6:only"}));
    EXPECT_EQ(ws.seqrow, only);
}

TEST_F(Sequential, AnInactiveFirstCountdownHoldsTheTurnUntilStopped) {
    const int idle = add(countdown("idle", 3, true, /*active=*/false));
    const int next = add(countdown("next", 2));
    ASSERT_EQ(ws.seqrow, idle);
    tick(5);
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(left(next), "2s");

    engine.stop(idle); // passes the turn on
    EXPECT_EQ(ws.seqrow, next);
    tick(2);
    EXPECT_EQ(sink.log(), QStringList({"7:next"}));
}

TEST_F(Sequential, ACertainTimeFiringPassesTheTurnOn) {
    add(countdown("idle", 3, true, /*active=*/false));
    const int waiting = add(countdown("waiting", 2));
    add(certain("noon", QTime(12, 0, 2)));
    tick(2); // 12:00:02: the certain time runs though it is not the turn
    EXPECT_EQ(sink.log(), QStringList({"2:noon"}));
    EXPECT_EQ(ws.seqrow, waiting);
    EXPECT_EQ(left(waiting), "2s"); // above the fired row: starts next tick
    tick(2);
    EXPECT_EQ(sink.log(), QStringList({"2:noon", "4:waiting"}));
}

TEST_F(Sequential, DeletingRowsKeepsTheTurnOnItsCountdown) {
    add(certain("above", QTime(3, 0, 0)));
    add(countdown("first", 4));
    add(countdown("second", 2));
    ASSERT_EQ(ws.seqrow, 1);

    engine.remove(0); // rows move up; the turn moves with "first"
    EXPECT_EQ(ws.seqrow, 0);
    tick();
    EXPECT_EQ(left(0), "3s");
    EXPECT_EQ(left(1), "2s");

    engine.remove(0); // the running countdown itself goes: the next takes over
    EXPECT_EQ(ws.seqrow, 0);
    tick(2);
    EXPECT_EQ(sink.names(), QStringList({"second"}));

    engine.remove(0);
    EXPECT_EQ(ws.seqrow, -1);
    EXPECT_EQ(ws.rowcount, 0);
}

TEST_F(Sequential, ResumingWhenTheSequenceRanOutStartsItAgain) {
    const int once = add(countdown("once", 2, /*repeat=*/false));
    tick(2);
    ASSERT_EQ(sink.names(), QStringList({"once"}));
    EXPECT_EQ(ws.seqrow, -1);

    engine.resume(once);
    EXPECT_EQ(ws.seqrow, once);
    tick(); // "-" reads as nothing left: due at once
    EXPECT_EQ(sink.names(), QStringList({"once", "once"}));

    engine.startall();
    EXPECT_EQ(ws.seqrow, once);
}

TEST_F(Sequential, ModeChangeIsStoredInTheHeaderAndMarksTheList) {
    add(countdown("A", 3));
    add(countdown("B", 3));
    ws.seqrow = 1;
    ws.clearmodified();
    engine.ComboBox5Change("Lateral");
    EXPECT_EQ(ws.playmode, 0);
    EXPECT_EQ(ws.db.readheader().Mode, 0);
    EXPECT_TRUE(ws.modified());
    EXPECT_EQ(ws.seqrow, 1);
    tick();
    EXPECT_EQ(left(0), "2s");
    EXPECT_EQ(left(1), "2s");

    engine.ComboBox5Change("Sequential");
    EXPECT_EQ(ws.db.readheader().Mode, 1);
    EXPECT_EQ(ws.seqrow, 1);
    tick();
    EXPECT_EQ(left(0), "2s");
    EXPECT_EQ(left(1), "1s");
}
