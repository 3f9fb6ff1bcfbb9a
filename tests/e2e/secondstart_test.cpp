#include "programrun.h"
#include "support/privatexserver.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

// A desktop of its own: an X server and a window manager, no tray host.
class Desktop : public ProgramRun {
protected:
    void SetUp() override {
        ProgramRun::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_FALSE(x.display().isEmpty()) << "Xvfb is not installed";
        env.insert("DISPLAY", x.display());
        env.remove("QT_QPA_PLATFORM"); // the program's own choice on an X11 desktop
        env.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
        wm.setProcessEnvironment(env);
        wm.start("openbox", {});
        ASSERT_TRUE(wm.waitForStarted(5000)) << "openbox is not installed";
        // A window mapped before the manager has taken the screen is never managed.
        ASSERT_TRUE(waitfor(
            [this] {
                return run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
            },
            5000));
    }
    void TearDown() override {
        ProgramRun::TearDown();
        wm.kill();
        wm.waitForFinished(3000);
    }
    QString run(const QString& program, const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, args);
        p.waitForFinished(5000);
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    }
    // The state the window manager keeps for the window named exactly "Chimlet" (the
    // name the desktop shows, _NET_WM_NAME): "Normal", "Iconic", or "" while there is none.
    QString mainstate() {
        const QString id = run("xdotool", {"search", "--name", "^Chimlet$"}).section('\n', 0, 0);
        if (id.isEmpty()) return {};
        return run("xprop", {"-id", id, "WM_STATE"})
            .section("window state: ", 1)
            .section('\n', 0, 0);
    }

    PrivateXServer x{QStringLiteral("1024x768x24")};
    QProcess wm;
};

} // namespace

TEST_F(Desktop, ASecondStartBringsTheRunningCopyForward) {
    // Start minimised on; with no tray host the window starts iconified.
    QByteArray settings(4 * 272, '\0');
    settings[256] = 1;
    writebytes(folder.filePath("chsb.rez"), settings);

    start(first);
    ASSERT_TRUE(waitfor([this] { return mainstate() == "Iconic"; }, 15000))
        << "no iconified window titled exactly \"Chimlet\" (a suffix after the caption?): "
        << run("xdotool", {"search", "--name", "Chimlet", "getwindowname"}).toStdString() << " "
        << first.readAllStandardError().toStdString();

    start(second);
    EXPECT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(waitfor([this] { return mainstate() == "Normal"; }, 5000))
        << "state: " << mainstate().toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);
}
