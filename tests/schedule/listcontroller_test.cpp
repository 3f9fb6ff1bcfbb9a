#include "schedule/errorreporter.h"
#include "schedule/listcontroller.h"
#include "schedule/rowtable.h"
#include "schedule/secondticker.h"
#include "schedule/workspace.h"
#include "store/notificationsink.h"
#include "support/fakeplatform.h"
#include "support/listparts.h"
#include "support/samplerecord.h"
#include "support/tempfolder.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {
struct ShownSink : NotificationSink {
    QStringList shown;
    void shownotification(const TNotificationRecord& rec) override {
        shown << QString::fromStdString(rec.MessageText);
    }
};

// A controller with no window over a fresh folder, at a fixed moment.
struct ControllerRig {
    TempFolder folder;
    ManualClock clock{QDateTime(QDate(2026, 3, 2), QTime(12, 0, 0))};
    FakeDialogs dialogs;
    ErrorReporter reporter{dialogs};
    ShownSink sink;
    ListController list{clock, sink, reporter};
};
} // namespace

// No window is made: the controller's own tick fires a Notification, the list is saved,
// replaced by a new one and opened again, and a command's message comes as a signal.
TEST(ListControllerTest, RunsAListThroughFiringAndSavingWithoutAWindow) {
    ControllerRig rig;
    auto& [folder, clock, dialogs, reporter, sink, list] = rig;
    QStringList clocks, names, messages;
    QObject::connect(&list, &ListController::clockChanged, [&](const QString& t) { clocks << t; });
    QObject::connect(&list, &ListController::fileNameChanged,
                     [&](const QString& t) { names << t; });
    QObject::connect(&list, &ListController::messageRaised,
                     [&](const QString& t) { messages << t; });

    list.newdatabase(folder.file("chdb.res"));
    const TNotificationRecord tea = SampleRecord("Tea").countdown(2).active().repeating();
    EXPECT_EQ(list.add(tea).value, 1);
    EXPECT_TRUE(list.modified());

    for (int second = 1; second <= 2; ++second) {
        clock.advance(1000);
        ASSERT_TRUE(QTest::qWaitFor([&] { return clocks.size() == second; }, 5000));
    }
    EXPECT_EQ(sink.shown, QStringList{"Tea"});
    EXPECT_EQ(list.rows().subitem(0, rowpart::Left), "2s") << "a repeating countdown restarts";

    ASSERT_TRUE(list.saveas(folder.file("tea")));
    EXPECT_FALSE(list.modified());
    EXPECT_EQ(readbytes(folder.file("tea.clt")), readbytes(folder.file("chdb.res")));
    list.newlist();
    EXPECT_EQ(list.rows().size(), 0);
    ASSERT_TRUE(list.open(folder.file("tea.clt")));
    ASSERT_EQ(list.rows().size(), 1);
    EXPECT_EQ(list.rows().row(0).caption, "Tea");
    EXPECT_EQ(names, QStringList({"tea.clt", "", "tea.clt"}));

    list.remove(-1);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << "messages go to whoever listens, not to a box";
    list.close();
    EXPECT_FALSE(tickerof(list).isActive());
}

// The editor's commands, without an editor: New stores the defaults switched off and holds
// them, Apply replaces the held record whole and shows it, opening an edit switches the
// record off, and Cancel leaves what the opening stored.
TEST(ListControllerTest, TheEditorsCommandsHoldOneRecordFromOpeningToApplyOrCancel) {
    ControllerRig rig;
    auto& [folder, clock, dialogs, reporter, sink, list] = rig;
    QList<int32_t> previews;
    QObject::connect(&list, &ListController::previewChanged, [&](int32_t i) { previews << i; });
    list.newdatabase(folder.file("chdb.res"));
    tickerof(list).stop();

    const TNotificationRecord tea = SampleRecord("Tea").countdown(240);
    list.add(tea);
    TNotificationRecord fresh = tea;
    fresh.MessageText = "";
    const RecordIndex made = list.newnotification(fresh);
    EXPECT_EQ(made.value, 2);
    EXPECT_TRUE(list.editing());
    EXPECT_EQ(list.editrow(), 1);
    EXPECT_EQ(list.rows().size(), 2);

    TNotificationRecord applied = fresh;
    applied.MessageText = "Soup";
    applied.Active = 1;
    list.apply(applied);
    EXPECT_FALSE(list.editing());
    EXPECT_EQ(list.readnotification(made), applied);
    EXPECT_EQ(list.rows().row(1).caption, "Soup");
    EXPECT_EQ(list.rows().subitem(1, rowpart::State), "Active");
    EXPECT_EQ(list.rows().row(0).caption, "Tea") << "the other row untouched";
    EXPECT_EQ(previews, QList<int32_t>({1, 2})) << "add and apply show their record";

    const TNotificationRecord opened = list.beginedit(made, 1);
    EXPECT_EQ(opened.Active, 1) << "the record as it was stored";
    EXPECT_EQ(list.readnotification(made).Active, 0) << "opening switches it off";
    list.cancel();
    EXPECT_FALSE(list.editing());
    applied.Active = 0;
    EXPECT_EQ(list.readnotification(made), applied);
    list.apply(tea);
    EXPECT_EQ(list.readnotification(made), applied) << "no edit, nothing to apply";
    const ListHeader header = workspaceof(list).db().readheader();
    EXPECT_EQ(header.RecordCount, 2);
}
