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

// Weston's panel sits above every ordinary window; the full-screen picture covers it too.
TEST_F(Wayland, TheFullScreenPictureCoversTheCompositorsPanel) {
    QImage red(64, 48, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    ASSERT_TRUE(red.save(folder.filePath("red.jpg"), "JPG"));
    TNotificationRecord rec = textrecord(codes::DesktopOverlay, 40, 6);
    rec.DisplayText = 0;
    rec.DisplayImage = 1;
    rec.ImageFile = QFile::encodeName(folder.filePath("red.jpg")).toStdString();
    rec.ImageDisplayType = codes::OverlayFullScreen;
    openatstart(rec, true);
    const auto reds = [](const QImage& image, int rows) {
        int n = 0;
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                n += qRed(p) > 230 && qGreen(p) < 30 && qBlue(p) < 30;
            }
        return n;
    };
    ASSERT_LT(reds(shot(), 32), 100) << "red before the picture";
    start(first);
    QImage during;
    EXPECT_TRUE(waitfor(
        [&] {
            during = shot();
            return !during.isNull() && reds(during, during.height()) > 700000;
        },
        10000))
        << first.readAllStandardError().toStdString();
    // The panel's rows at the top are the picture's as well.
    EXPECT_EQ(reds(during, 32), 32 * during.width());
}

// Weston's X11 window manager honours neither a raise nor _NET_ACTIVE_WINDOW; a second
// start still brings the window in front of another X window.
TEST_F(ProgramRun, OnWestonsXWaylandASecondStartBringsTheWindowInFront) {
    PrivateWeston weston({"--xwayland"});
    if (weston.socket().isEmpty()) GTEST_SKIP() << "weston is not installed";
    const QString display = weston.xdisplay();
    ASSERT_FALSE(display.isEmpty()) << "no XWayland (package xwayland)";
    env.insert("DISPLAY", display);
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    env.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    const auto shown = [this](const QString& name) {
        QProcess search;
        search.setProcessEnvironment(env);
        search.start("xdotool", {"search", "--onlyvisible", "--name", '^' + name + '$'});
        search.waitForFinished(5000);
        return !search.readAllStandardOutput().trimmed().isEmpty();
    };
    start(first);
    ASSERT_TRUE(waitfor([&] { return shown("Chimlet"); }, 15000));
    QProcess cover;
    cover.setProcessEnvironment(env);
    cover.start("xmessage", {"-geometry", "1000x740+0+0", "cover"});
    ASSERT_TRUE(waitfor([&] { return shown("xmessage"); }, 10000)) << "xmessage (x11-utils)";
    QTest::qWait(1000);
    const QImage before(weston.screenshot());
    ASSERT_FALSE(before.isNull()) << "no screenshot from weston-screenshooter";
    start(second);
    EXPECT_TRUE(second.waitForFinished(5000));
    // The window, 652 x 659 and more, is on the screen now.
    EXPECT_TRUE(
        waitfor([&] { return changed(before, QImage(weston.screenshot())) > 300000; }, 5000));
    cover.kill();
    cover.waitForFinished(3000);
}
