#include "linuxplatform/xdgautostart.h"
#include "support/tempfolder.h"

#include <QDir>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#include <optional>

namespace {
// A key's value in an entry, its string escapes undone.
QString entryvalue(const QByteArray& entry, const QString& key) {
    QString raw;
    for (const QString& line : QString::fromUtf8(entry).split(u'\n'))
        if (line.startsWith(key + u'=')) raw = line.mid(key.size() + 1);
    QString value;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const qsizetype code =
            raw[i] == u'\\' && i + 1 < raw.size() ? QStringView(u"sntr\\").indexOf(raw[i + 1]) : -1;
        value += code < 0 ? raw[i] : QStringView(u" \n\t\r\\")[code];
        if (code >= 0) ++i;
    }
    return value;
}

// An Exec value's arguments as the desktop entry format reads them, strictly: blanks part
// arguments and a reserved character must be quoted; inside quotes ", `, $ and \ come
// only after a backslash; then %% is a % and any other % a field code. Nothing when the
// value breaks a rule.
std::optional<QStringList> execarguments(const QString& value) {
    QStringList args;
    QString arg;
    bool inarg = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u' ') {
            if (inarg) args << arg;
            arg.clear();
            inarg = false;
        } else if (c == u'"') {
            inarg = true;
            for (++i;; ++i) {
                if (i >= value.size()) return std::nullopt;
                QChar q = value[i];
                if (q == u'"') break;
                if (q == u'`' || q == u'$') return std::nullopt;
                if (q == u'\\') {
                    if (++i >= value.size() || !QStringView(u"\"`$\\").contains(value[i]))
                        return std::nullopt;
                    q = value[i];
                }
                arg += q;
            }
        } else if (QStringView(u"\t\n'\\><~|&;$*?#()`").contains(c)) {
            return std::nullopt;
        } else {
            arg += c;
            inarg = true;
        }
    }
    if (inarg) args << arg;
    for (QString& a : args) {
        QString plain;
        for (qsizetype i = 0; i < a.size(); ++i) {
            if (a[i] == u'%' && (i + 1 >= a.size() || a[++i] != u'%')) return std::nullopt;
            plain += a[i];
        }
        a = plain;
    }
    return args;
}

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

// Every character the Exec line quotes or escapes, one at a time and as "$HOME", read back
// by the format's own rules: the program's path and its folder come back unchanged.
TEST(XdgAutostart, EveryEscapedCharacterReadsBackByTheEntrysOwnRules) {
    for (const QString& part :
         {QStringLiteral("$HOME"), QStringLiteral("$"), QStringLiteral("`"), QStringLiteral("\""),
          QStringLiteral("\\"), QStringLiteral("%"), QStringLiteral("%f"), QStringLiteral(" "),
          QStringLiteral("\t"), QStringLiteral("\n"), QStringLiteral("'"),
          QStringLiteral(";&|<>*?#()~"), QStringLiteral("\\$\\`\\\"")}) {
        const QString folder = QStringLiteral("/opt/") + part + QStringLiteral("x");
        const QString program = folder + QStringLiteral("/") + part + QStringLiteral("chimelet");
        SCOPED_TRACE(program.toStdString());
        const QByteArray entry = desktopentry(program);
        const auto args = execarguments(entryvalue(entry, QStringLiteral("Exec")));
        ASSERT_TRUE(args) << entry.toStdString();
        EXPECT_EQ(args->last(), program);
        EXPECT_TRUE(args->size() == 1 || (args->size() == 2 && args->first() == "/usr/bin/env"));
        EXPECT_EQ(entryvalue(entry, QStringLiteral("Path")), folder);
    }
}
