#include "xdesktop.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

// A window manager and no tray host.
class Desktop : public XDesktop {
protected:
    void SetUp() override {
        XDesktop::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        startwindowmanager();
    }
    // The state of the window named exactly "Chimlet" (the name the desktop shows,
    // _NET_WM_NAME).
    QString mainstate() { return wmstate(windownamed("Chimlet")); }
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
