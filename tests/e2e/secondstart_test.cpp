#include "programrun.h"
#include "support/privatexserver.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A desktop of its own: an X server and a window manager, no tray host.
class Desktop : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(x.display().isEmpty()) << "Xvfb is not installed";
        display = x.display();
        env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.insert("HOME", folder.path());
        env.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
        wm.setProcessEnvironment(env);
        wm.start("openbox", {});
        ASSERT_TRUE(wm.waitForStarted(5000)) << "openbox is not installed";
        exe = folder.filePath("chimelet");
        ASSERT_TRUE(QFile::copy(builtprogram(), exe));
    }
    void TearDown() override {
        for (QProcess* p : {&first, &second, &wm})
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(3000);
            }
    }
    QString run(const QString& program, const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, args);
        p.waitForFinished(5000);
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    }
    void start(QProcess& p) {
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(folder.path());
        p.start(exe, {});
        ASSERT_TRUE(p.waitForStarted(5000));
    }
    // The main window's state as the window manager keeps it: "Normal", "Iconic" or "".
    QString mainstate() {
        const QString id = run("xdotool", {"search", "--name", "^Chimlet$"}).section('\n', 0, 0);
        if (id.isEmpty()) return {};
        return run("xprop", {"-id", id, "WM_STATE"})
            .section("window state: ", 1)
            .section('\n', 0, 0);
    }

    QTemporaryDir folder, runtime;
    PrivateXServer x{QStringLiteral("1024x768x24")};
    QProcess wm, first, second;
    QString display, exe;
    QProcessEnvironment env;
};

} // namespace

TEST_F(Desktop, ASecondStartBringsTheRunningCopyForward) {
    // Start minimised on; with no tray host the window starts iconified.
    QByteArray settings(4 * 272, '\0');
    settings[256] = 1;
    QFile store(folder.filePath("chsb.rez"));
    ASSERT_TRUE(store.open(QIODevice::WriteOnly));
    store.write(settings);
    store.close();

    start(first);
    ASSERT_TRUE(waitfor([this] { return mainstate() == "Iconic"; }, 15000))
        << "state: " << mainstate().toStdString() << " "
        << first.readAllStandardError().toStdString();

    start(second);
    EXPECT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(waitfor([this] { return mainstate() == "Normal"; }, 5000))
        << "state: " << mainstate().toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);
}
