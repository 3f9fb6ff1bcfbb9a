#include "xdesktop.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// What xwininfo says of a window: one "Key: value" line per entry.
QString field(const QString& info, const QString& key) {
    const QRegularExpression line("^\\s*" + QRegularExpression::escape(key) + ":\\s*(.*)$",
                                  QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

} // namespace

TEST_F(XDesktop, CloseRequestsNeverEndTheProgram) {
    // No window manager to iconify the window and no tray host to hide it in.
    start(first);
    QString id;
    ASSERT_TRUE(waitfor([&] { return !(id = windownamed("Chimlet")).isEmpty(); }, 15000))
        << first.readAllStandardError().toStdString();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(askclose(id));
        EXPECT_FALSE(first.waitForFinished(800)) << "close request " << i + 1 << " ended it";
    }
    ASSERT_EQ(first.state(), QProcess::Running);
    // Wherever the window went, a second start brings it back.
    start(second);
    EXPECT_TRUE(second.waitForFinished(5000));
    EXPECT_TRUE(waitfor(
        [&] {
            return field(run("xwininfo", {"-id", id}), "Map State") == "IsViewable";
        },
        5000));
}

TEST_F(XDesktop, OverlaysAreNeitherManagedNorListedAndSitWhereTheyAreSent) {
    startwindowmanager();
    ASSERT_FALSE(HasFatalFailure());
    openatstart(textrecord(codes::BalloonAndOverlay, 40, 6));
    start(first);
    // The strip: a window across the bottom of the screen, 170 pixels high.
    QString info;
    const auto stripshown = [&] {
        for (const QString& line : run("xwininfo", {"-root", "-children"}).split('\n')) {
            const QString id = line.trimmed().section(' ', 0, 0);
            if (!id.startsWith("0x")) continue;
            info = run("xwininfo", {"-id", id});
            if (field(info, "Map State") == "IsViewable" && field(info, "Height") == "170" &&
                field(info, "Width") == "1024")
                return true;
        }
        return false;
    };
    ASSERT_TRUE(waitfor(stripshown, 15000))
        << "no strip of 1024 x 170 among the screen's top windows (inside a frame?)";
    EXPECT_EQ(field(info, "Absolute upper-left X"), "0");
    EXPECT_EQ(field(info, "Absolute upper-left Y"), "598");
    // Neither taskbar nor pager nor compositor frame gets hold of it.
    EXPECT_EQ(field(info, "Override Redirect State"), "yes");
    const QString clients = run("xprop", {"-root", "_NET_CLIENT_LIST"});
    const QString main = windownamed("Chimlet");
    const QStringList listed = clients.section("# ", 1).split(", ", Qt::SkipEmptyParts);
    for (const QString& w : listed)
        EXPECT_EQ(w.toULong(nullptr, 16), main.toULong())
            << "a taskbar lists " << w.toStdString() << ": "
            << run("xprop", {"-id", w, "WM_NAME", "_NET_WM_STATE"}).toStdString();
}

TEST_F(XDesktop, AWindowDestroyedFromOutsideIsMadeAnewByTheNextShow) {
    startwindowmanager();
    ASSERT_FALSE(HasFatalFailure());
    start(first);
    QString id;
    ASSERT_TRUE(waitfor([&] { return !(id = windownamed("Chimlet")).isEmpty(); }, 15000))
        << first.readAllStandardError().toStdString();
    run("xdotool", {"windowclose", id});
    ASSERT_TRUE(waitfor([&] { return windownamed("Chimlet").isEmpty(); }, 5000));
    EXPECT_FALSE(first.waitForFinished(500));
    start(second);
    EXPECT_TRUE(second.waitForFinished(5000));
    QString again;
    EXPECT_TRUE(waitfor(
        [&] {
            again = windownamed("Chimlet");
            return !again.isEmpty() &&
                   field(run("xwininfo", {"-id", again}), "Map State") == "IsViewable";
        },
        5000));
    EXPECT_EQ(wmstate(again), "Normal") << "managed by the window manager";
    EXPECT_EQ(first.readAllStandardError(), "") << "quiet about the window it lost";
}
