#include "enginefixture.h"

#include "schedule/timetext.h"

#include <stdexcept>

using Tick = EngineTest;

TEST_F(Tick, LateralCountdownsStartedTogetherFireInTheSameTickInRowOrder) {
    const int a = add(countdown("A", 5));
    const int b = add(countdown("B", 5, /*repeat=*/false));
    ws.clearmodified();

    tick(4);
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(left(a), "1s");
    EXPECT_EQ(left(b), "1s");

    tick();
    EXPECT_EQ(sink.log(), QStringList({"5:A", "5:B"}));
    // Repeat starts over and stays active without touching the record.
    EXPECT_EQ(left(a), "5s");
    EXPECT_EQ(state(a), "Active");
    EXPECT_EQ(sink.shown[0].rec.Active, 1);
    // Run Once ends inactive, in the row and in the working database.
    EXPECT_EQ(left(b), "-");
    EXPECT_EQ(state(b), "Inactive");
    EXPECT_EQ(stateicon(b), icon::Inactive);
    EXPECT_EQ(stored(b).Active, 0);
    EXPECT_EQ(sink.shown[1].rec.Active, 0);
    // Firing is not an edit.
    EXPECT_FALSE(ws.modified());

    tick(5);
    EXPECT_EQ(sink.names(), QStringList({"A", "B", "A"}));
}

TEST_F(Tick, WritesTheClockFirstAndStepsOnlyRunningRows) {
    QStringList seenAtFiring;
    sink.also = [&](const TNotificationRecord&) { seenAtFiring = log.clock; };
    const int running = add(countdown("run", 1));
    const int idle = add(countdown("idle", 9, true, /*active=*/false));
    const int broken = add(countdown("broken", 9));
    ws.rows.setsubitem(broken, rowpart::RecordIndex, "x");
    const int gone = add(countdown("gone", 9));
    TNotificationRecord rec = stored(gone);
    rec.Deleted = 1;
    ws.db.writenotification(rec, ws.rows.recordindex(gone));

    tickat(QTime(9, 5, 7));
    EXPECT_EQ(seenAtFiring, QStringList({"     Current Time: 09:05:07"}));
    EXPECT_EQ(sink.names(), QStringList({"run"}));
    EXPECT_EQ(left(idle), "9s");
    EXPECT_EQ(left(broken), "9s");
    EXPECT_EQ(left(gone), "9s");
    EXPECT_EQ(left(running), "1s");
}

TEST_F(Tick, ATickAskedForDuringPresentationRunsAfterTheCurrentOne) {
    add(countdown("A", 1));
    const int b = add(countdown("B", 10));
    QString bDuringNested;
    bool nested = false;
    sink.also = [&](const TNotificationRecord&) {
        if (nested) return;
        nested = true;
        engine.tick(); // as if presentation pumped a pending timer event
        bDuringNested = left(b);
    };
    tick();
    // The nested request did not step the rows under the running tick...
    EXPECT_EQ(bDuringNested, "10s");
    // ...but was not lost either.
    EXPECT_EQ(left(b), "8s");
    EXPECT_EQ(sink.names(), QStringList({"A", "A"}));
}

TEST_F(Tick, AnErrorInPresentationEndsThatTickOnly) {
    add(countdown("A", 1));
    const int b = add(countdown("B", 10));
    sink.also = [](const TNotificationRecord&) { throw std::runtime_error("cannot show"); };
    EXPECT_THROW(tick(), std::runtime_error);
    EXPECT_EQ(left(b), "10s"); // the rows after waited

    sink.also = nullptr;
    tick();
    EXPECT_EQ(left(b), "9s");
    EXPECT_EQ(sink.names(), QStringList({"A", "A"}));
}

TEST_F(Tick, AListOfThousandsStepsEveryRowOnce) {
    for (int i = 0; i < 200; ++i)
        add(countdown("n", 3 + i % 5));
    tick(2);
    for (int r = 0; r < ws.rowcount; ++r)
        ASSERT_EQ(left(r), secstotext(3 + r % 5, -2)) << r;
    tick();
    EXPECT_EQ(sink.shown.size(), 40u);
}
