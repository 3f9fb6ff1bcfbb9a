#include "support/privatexserver.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(ProgramOnX11, TheMainWindowIsTitledExactlyItsCaption) {
    PrivateXServer server(QStringLiteral("1024x768x24"));
    if (server.display().isEmpty()) GTEST_SKIP() << "no Xvfb";
    QTemporaryDir folder;
    const QString exe = folder.filePath("chimelet");
    ASSERT_TRUE(QFile::copy(qEnvironmentVariable("CHIMELET_BUILD_DIR") + "/chimelet", exe));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM"); // the program's own choice on an X11 desktop
    env.insert("DISPLAY", server.display());
    env.insert("XDG_RUNTIME_DIR", folder.path());
    env.insert("HOME", folder.path());
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(exe, {});
    ASSERT_TRUE(program.waitForStarted(5000));
    // The name the desktop shows: _NET_WM_NAME, read by xdotool as a window manager would.
    auto titled = [&](const QString& pattern) {
        QProcess search;
        search.setProcessEnvironment(env);
        search.start("xdotool", {"search", "--name", pattern});
        return search.waitForFinished(3000) && search.exitCode() == 0;
    };
    const bool shown = QTest::qWaitFor([&] { return titled("Chimlet"); }, 15000);
    const bool exact = titled("^Chimlet$");
    program.kill();
    program.waitForFinished(3000);
    ASSERT_TRUE(shown);
    EXPECT_TRUE(exact) << "a suffix after the caption";
}
