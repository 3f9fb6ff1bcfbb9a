#include "linuxplatform/xdgautostart.h"
#include "support/tempfolder.h"

#include <QDir>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// The entry is handed to GLib's launcher, which reads it the way GNOME and its relatives
// do at log-in: the program it starts reports the path it was started as, its folder and
// how many arguments it got.
QStringList launched(const QTemporaryDir& tmp, const QString& folder, const QString& name) {
    EXPECT_TRUE(QDir().mkpath(folder));
    const QString program = folder + u'/' + name;
    const QString report = tmp.filePath(QStringLiteral("report"));
    QFile::remove(report);
    writebytes(program,
               "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$(pwd)\" \"$#\" > '" + report.toUtf8() + "'\n");
    QFile::setPermissions(program,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    XdgAutostart autostart(tmp.filePath(QStringLiteral("config/autostart"))); // folder made
    const QString entry = autostart.create(program);
    EXPECT_EQ(entry, tmp.filePath(QStringLiteral("config/autostart/Chimelet.desktop")));
    EXPECT_TRUE(autostart.exists(entry));

    QProcess gio;
    gio.start(QStringLiteral("gio"), {QStringLiteral("launch"), entry});
    EXPECT_TRUE(gio.waitForFinished(10000));
    EXPECT_EQ(gio.exitCode(), 0) << gio.readAllStandardError().toStdString();
    if (!QTest::qWaitFor([&] { return QFile::exists(report); }, 10000)) return {};
    QTest::qWait(50); // the script may still be writing
    return QString::fromUtf8(readbytes(report)).split(u'\n').mid(0, 3);
}
} // namespace

TEST(XdgAutostart, AnyProgramPathSurvivesTheDesktopLauncher) {
    QTemporaryDir tmp;
    const QString folder = tmp.filePath(QStringLiteral("a b \"q\" 100% é $HOME `x` \\ 'y'"));
    const QString name = QStringLiteral("run me %f.sh");
    EXPECT_EQ(launched(tmp, folder, name), (QStringList{folder + u'/' + name, folder, "0"}));

    XdgAutostart autostart(tmp.filePath(QStringLiteral("config/autostart")));
    const QString entry = tmp.filePath(QStringLiteral("config/autostart/Chimelet.desktop"));
    autostart.remove(entry);
    EXPECT_FALSE(autostart.exists(entry));
    autostart.remove(QString()); // nothing recorded: nothing to do
}

// Each reserved character right beside the others, in several orders, doubled, and with
// blanks at the ends of the names, where a reader may trim them.
TEST(XdgAutostart, ReservedCharactersSideBySideSurviveTheDesktopLauncher) {
    QTemporaryDir tmp;
    for (const QString& part :
         {QStringLiteral("\\\"$`%"), QStringLiteral("%`$\"\\"), QStringLiteral("\\\\\"\"$$``%%"),
          QStringLiteral("$`\\%f\"%%"), QStringLiteral(" \t\\$ "), QStringLiteral("\"\t`%\\ ")}) {
        const QString folder = tmp.filePath(part + QStringLiteral("x") + part);
        const QString name = part + QStringLiteral(".sh") + part;
        EXPECT_EQ(launched(tmp, folder, name), (QStringList{folder + u'/' + name, folder, "0"}))
            << part.toStdString();
    }
}
