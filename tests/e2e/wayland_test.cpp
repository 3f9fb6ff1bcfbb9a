#include "programrun.h"
#include "support/privateweston.h"
#include "support/privatexserver.h"

#include <QDir>
#include <QImage>
#include <QLibraryInfo>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The program on a Wayland desktop (Weston) with no tray host and no session bus, where
// X11 refuses the connection: it runs on Wayland by its own choice.
class Wayland : public ProgramRun {
protected:
    void SetUp() override {
        ProgramRun::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        if (weston.socket().isEmpty()) GTEST_SKIP() << "weston is not installed";
        if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                           "/platforms/libqwayland-generic.so"))
            GTEST_SKIP() << "Qt's Wayland platform (qt6-wayland) is not installed";
        env.insert("WAYLAND_DISPLAY", weston.socket());
        env.remove("QT_QPA_PLATFORM");
        int n = 900;
        while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
            ++n;
        env.insert("DISPLAY", QStringLiteral(":%1").arg(n));
        env.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    }
    QImage shot() { return QImage(weston.screenshot()); }

    PrivateWeston weston;
};

// Pixels of exactly `colour` in `image`.
int count(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xffffff) == (colour & 0xffffff);
    return n;
}

// Pixels that differ between two pictures of the same size.
int changed(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

} // namespace

// Started minimised with a faded strip due; then a second start brings the window back.
TEST_F(Wayland, AFadedStripIsDrawnSeeThroughAndASecondStartBringsTheCopyBack) {
    TNotificationRecord rec = textrecord(codes::DesktopOverlay, 40, 3);
    rec.Fade = 1;
    openatstart(rec, true);
    start(first);
    QTest::qWait(3500);
    ASSERT_EQ(first.state(), QProcess::Running) << first.readAllStandardError().toStdString();
    EXPECT_TRUE(mappedfiles(first.processId()).contains("libqwayland"));
    const QImage during = shot();
    ASSERT_FALSE(during.isNull()) << "no screenshot from weston-screenshooter";
    EXPECT_LT(count(during, qRgb(192, 192, 192)), 2000) << "a silver band";
    QTest::qWait(3000);
    // Nothing to say: no opacity it cannot set, no X11 tray it cannot reach.
    EXPECT_EQ(first.readAllStandardError(), "");

    const QImage before = shot();
    start(second);
    EXPECT_TRUE(second.waitForFinished(5000));
    QTest::qWait(1500);
    const QImage after = shot();
    // The window, 652 x 659 and more, is on the screen now.
    EXPECT_GT(changed(before, after), 300000) << first.readAllStandardError().toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);
}

// Many sessions ask every Qt program for Wayland; with an X server at hand the program
// still runs on X11, and only a choice made for it alone puts it on Wayland.
TEST_F(Wayland, TheSessionsWaylandDefaultGivesWayToAReachableX11) {
    const PrivateXServer x;
    ASSERT_FALSE(x.display().isEmpty()) << "Xvfb is not installed";
    env.insert("DISPLAY", x.display());
    const auto platformof = [this](QProcess& p) {
        start(p);
        QByteArray maps;
        waitfor(
            [&] {
                maps = mappedfiles(p.processId());
                return maps.contains("libqxcb") || maps.contains("libqwayland");
            },
            15000);
        p.kill();
        p.waitForFinished(3000);
        return maps.contains("libqxcb") ? "xcb" : maps.contains("libqwayland") ? "wayland" : "";
    };
    env.insert("QT_QPA_PLATFORM", "wayland");
    EXPECT_STREQ(platformof(first), "xcb");
    env.insert("CHIMELET_PLATFORM", "wayland");
    EXPECT_STREQ(platformof(second), "wayland");
}
