#include "enginefixture.h"

#include <QFileInfo>

using Commands = EngineTest;

TEST_F(Commands, WithoutASelectionEachAsksForOneAndChangesNothing) {
    add(countdown("A", 3));
    ws.clearmodified();
    engine.edit(-1);
    engine.remove(-1);
    engine.stop(-1);
    engine.resume(-1);
    engine.stop(5); // a row that does not exist
    const QString select = "Select a Notification in the list to perform this action.";
    EXPECT_EQ(messages, QStringList({"Select a Notification in the list to perform this action or "
                                     "create a new Notification if the list is empty.",
                                     select, select, select, select}));
    EXPECT_FALSE(ws.modified());
    EXPECT_EQ(ws.rowcount, 1);
    EXPECT_EQ(stored(0).Active, 1);
    EXPECT_TRUE(log.edits.isEmpty());
}

TEST_F(Commands, StopPausesAndResumeContinuesFromTheRemainingTime) {
    const int row = add(countdown("tea", 4 * 60 + 12));
    tick(2);
    ASSERT_EQ(left(row), "4m10s");
    ws.clearmodified();

    engine.stop(row);
    EXPECT_TRUE(ws.modified());
    EXPECT_EQ(state(row), "Inactive");
    EXPECT_EQ(stateicon(row), icon::Inactive);
    EXPECT_EQ(stored(row).Active, 0);
    tick(3);
    EXPECT_EQ(left(row), "4m10s");

    engine.resume(row);
    EXPECT_EQ(state(row), "Active");
    EXPECT_EQ(stateicon(row), icon::Active);
    EXPECT_EQ(stored(row).Active, 1);
    tick();
    EXPECT_EQ(left(row), "4m9s");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(Commands, ResumeOfAFiredRunOnceFiresAtTheNextTick) {
    const int row = add(countdown("once", 1, /*repeat=*/false));
    tick();
    ASSERT_EQ(left(row), "-");
    ASSERT_EQ(state(row), "Inactive");
    engine.resume(row);
    tick();
    EXPECT_EQ(sink.log(), QStringList({"1:once", "2:once"}));
    EXPECT_EQ(state(row), "Inactive");
}

TEST_F(Commands, ResumeOfACountdownWithoutTimeRefuses) {
    const int row = add(countdown("zero", 0, true, /*active=*/false));
    ws.clearmodified();
    EXPECT_FALSE(engine.resumeone(ws.rows.recordindex(row)));
    engine.resume(row);
    EXPECT_EQ(messages, QStringList({"Time not set, unable to activate Notification",
                                     "Time not set, unable to activate Notification"}));
    EXPECT_EQ(state(row), "Inactive");
    EXPECT_EQ(stateicon(row), icon::Inactive);
    EXPECT_EQ(stored(row).Active, 0);
    EXPECT_TRUE(ws.modified());
    // A certain time of midnight is a time, not "no time".
    const int midnight = add(certain("midnight", QTime(0, 0, 0), true, false));
    EXPECT_TRUE(engine.resumeone(ws.rows.recordindex(midnight)));
}

TEST_F(Commands, StopAllAndStartAll) {
    engine.stopall();
    engine.startall();
    EXPECT_FALSE(ws.modified()); // an empty list is left alone

    const int cd = add(countdown("cd", 5));
    const int zero = add(countdown("zero", 0, true, false));
    const int at = add(certain("at", QTime(18, 0, 0)));
    tick(2);
    engine.stopall();
    EXPECT_TRUE(ws.modified());
    for (int r : {cd, zero, at}) {
        EXPECT_EQ(state(r), "Inactive") << r;
        EXPECT_EQ(stored(r).Active, 0) << r;
    }
    EXPECT_EQ(left(cd), "3s"); // kept

    engine.startall();
    EXPECT_EQ(state(cd), "Active");
    EXPECT_EQ(state(at), "Active");
    EXPECT_EQ(stored(at).Active, 1);
    EXPECT_EQ(state(zero), "Inactive");
    EXPECT_EQ(stored(zero).Active, 0);
    EXPECT_TRUE(messages.isEmpty());
    tick();
    EXPECT_EQ(left(cd), "2s");
}

TEST_F(Commands, EditStopsTheNotificationAndOpensTheEditor) {
    engine.ComboBox5Change("Lateral");
    const int a = add(countdown("A", 3));
    const int b = add(countdown("B", 3));
    ws.clearmodified();
    // The turn passes on even in Lateral mode, so it is right when the mode changes.
    engine.edit(a);
    EXPECT_EQ(ws.seqrow, b);
    EXPECT_EQ(state(a), "Inactive");
    EXPECT_EQ(stored(a).Active, 0);
    EXPECT_TRUE(ws.modified());
    EXPECT_EQ(log.edits, (QList<QPair<int32_t, int>>{{ws.rows.recordindex(a), a}}));
}

TEST_F(Commands, DeleteMarksTheRecordAndRemovesTheRow) {
    add(countdown("A", 3));
    add(countdown("B", 3));
    add(countdown("C", 3));
    const qint64 size = QFileInfo(ws.db.path()).size();
    ws.clearmodified();
    engine.remove(1);
    EXPECT_TRUE(ws.modified());
    EXPECT_EQ(ws.rowcount, 2);
    EXPECT_EQ(ws.rows.size(), 2);
    EXPECT_EQ(ws.rows.recordindex(1), 3);
    EXPECT_EQ(ws.db.readnotification(2).Deleted, 1);
    EXPECT_EQ(ws.db.readnotification(2).MessageText, "B"); // the slot keeps its contents
    EXPECT_EQ(QFileInfo(ws.db.path()).size(), size);
    tick(3);
    EXPECT_EQ(sink.names(), QStringList({"A", "C"}));
}
