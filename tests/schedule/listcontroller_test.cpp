#include "schedule/errorreporter.h"
#include "schedule/listcontroller.h"
#include "schedule/rowtable.h"
#include "schedule/secondticker.h"
#include "schedule/workspace.h"
#include "store/notificationsink.h"
#include "support/fakeplatform.h"
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
} // namespace

// No window is made: the controller's own tick fires a Notification, the list is saved,
// replaced by a new one and opened again, and a command's message comes as a signal.
TEST(ListControllerTest, RunsAListThroughFiringAndSavingWithoutAWindow) {
    TempFolder folder;
    ManualClock clock{QDateTime(QDate(2026, 3, 2), QTime(12, 0, 0))};
    FakeDialogs dialogs;
    ErrorReporter reporter(dialogs);
    ShownSink sink;
    ListController list(clock, sink, reporter);
    QStringList clocks, names, messages;
    QObject::connect(&list, &ListController::clockChanged, [&](const QString& t) { clocks << t; });
    QObject::connect(&list, &ListController::fileNameChanged,
                     [&](const QString& t) { names << t; });
    QObject::connect(&list, &ListController::messageRaised,
                     [&](const QString& t) { messages << t; });

    list.newdatabase(folder.file("chdb.res"));
    TNotificationRecord tea;
    tea.MessageText = "Tea";
    tea.TimerType = "Countdown";
    tea.Seconds = 2;
    tea.Active = 1;
    tea.RepeatFlag = 1;
    EXPECT_EQ(list.add(tea).value, 1);
    EXPECT_TRUE(list.workspace().modified());

    for (int second = 1; second <= 2; ++second) {
        clock.advance(1000);
        ASSERT_TRUE(QTest::qWaitFor([&] { return clocks.size() == second; }, 5000));
    }
    EXPECT_EQ(sink.shown, QStringList{"Tea"});
    EXPECT_EQ(list.rows().subitem(0, rowpart::Left), "2s") << "a repeating countdown restarts";

    ASSERT_TRUE(list.saveas(folder.file("tea")));
    EXPECT_FALSE(list.workspace().modified());
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
    EXPECT_FALSE(list.ticker().isActive());
}
