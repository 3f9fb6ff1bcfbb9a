#include "linuxplatform/xdgautostart.h"
#include "support/tempfolder.h"

#include <QDir>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

// The entry is handed to GLib's launcher, which reads it the way GNOME and its relatives
// do at log-in: the program it starts reports the path it was started as and its folder.
TEST(XdgAutostart, AnyProgramPathSurvivesTheDesktopLauncher) {
    QTemporaryDir tmp;
    const QString folder = tmp.filePath(QStringLiteral("a b \"q\" 100% é $HOME `x` \\ 'y'"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString program = folder + QStringLiteral("/run me %f.sh");
    const QString report = tmp.filePath(QStringLiteral("report"));
    writebytes(program,
               "#!/bin/sh\n{ echo \"$0\"; pwd; echo \"$#\"; } > '" + report.toUtf8() + "'\n");
    QFile::setPermissions(program,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    XdgAutostart autostart(tmp.filePath(QStringLiteral("config/autostart"))); // folder made
    const QString entry = autostart.create(program);
    EXPECT_EQ(entry, tmp.filePath(QStringLiteral("config/autostart/Chimelet.desktop")));
    ASSERT_TRUE(autostart.exists(entry));

    QProcess gio;
    gio.start(QStringLiteral("gio"), {QStringLiteral("launch"), entry});
    ASSERT_TRUE(gio.waitForFinished(10000));
    EXPECT_EQ(gio.exitCode(), 0) << gio.readAllStandardError().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(report); }, 10000));
    QTest::qWait(50); // the script may still be writing
    const QStringList lines = QString::fromUtf8(readbytes(report)).split(u'\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], program);
    EXPECT_EQ(lines[1], folder);
    EXPECT_EQ(lines[2], QStringLiteral("0")); // no arguments of its own

    autostart.remove(entry);
    EXPECT_FALSE(autostart.exists(entry));
    autostart.remove(QString()); // nothing recorded: nothing to do
}
