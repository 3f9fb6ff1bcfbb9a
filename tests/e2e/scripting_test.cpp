#include "scriptrun.h"
#include "store/filebytes.h"
#include "store/nativename.h"
#include "store/notificationrecord.h"
#include "support/privatebus.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>

#include <csignal>
#include <unistd.h>

// What a script does with the program, each step a process of its own.

namespace {

RecordBytes record(const QByteArray& file, int index) {
    RecordBytes raw{};
    const QByteArray bytes = file.mid(qsizetype(index) * 960, 960);
    std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(raw.data()));
    return raw;
}

// A file by the bytes of its name.
QByteArray rawread(const QByteArray& name) {
    return readregularfile(namefromnative(name), 1 << 20).value_or(QByteArray());
}

} // namespace

TEST_F(CommandLineTest, IdsStayAcrossADeleteAndDeleteSaveAndSaveAsKeepTheBytes) {
    EXPECT_EQ(chimelet({"--add", "Tea", "--in", "25m"}).out, "@1\n");
    EXPECT_EQ(chimelet({"--add", "Lunch", "--at", "12:30", "--repeat"}).out, "@2\n");
    EXPECT_EQ(chimelet({"--add", "Cake", "--in", "90s"}).out, "@3\n");
    Outcome o = chimelet({"--save"});
    EXPECT_EQ(o.code, 1);
    EXPECT_TRUE(o.err.startsWith("chimelet: ") && o.err.contains("--save-as"))
        << o.err.toStdString();

    // Row 1 goes; the rows below move up, their ids stay.
    ASSERT_EQ(chimelet({"--delete", "1"}).code, 0);
    QStringList lines = chimelet({"--list"}).out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("@2\t1\t")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("@3\t2\t")) << lines[1].toStdString();
    EXPECT_EQ(chimelet({"--stop", "@3"}).code, 0);
    EXPECT_TRUE(
        chimelet({"--list"}).out.contains("@3\t2\tinactive\tcountdown\t90\t\tonce\tCake\n"));
    o = chimelet({"--delete", "@1"});
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.err, "chimelet: there is no Notification @1 in the list.\n");
    EXPECT_EQ(chimelet({"--stop", "3"}).err, "chimelet: there is no row 3 in the list.\n");

    // Saved under a name in Latin-1, byte for byte the working list, the deleted record
    // kept in its slot.
    o = shell("\"$0\" --save-as \"$(printf 'week\\351')\"");
    ASSERT_EQ(o.code, 0) << o.err.toStdString();
    const QByteArray saved = rawread(QFile::encodeName(folder.path()) + "/week\xe9.clt");
    EXPECT_EQ(saved, bytes("chdb.res"));
    ASSERT_EQ(saved.size(), 4 * 960);
    EXPECT_EQ(decodenotification(record(saved, 1)).Deleted, 1);
    EXPECT_EQ(decodenotification(record(saved, 3)).Active, 0);

    // A later change and Save write the same file again; ids are never given twice.
    EXPECT_EQ(chimelet({"--add", "More", "--in", "5m"}).out, "@4\n");
    ASSERT_EQ(chimelet({"--save"}).code, 0);
    const QByteArray again = rawread(QFile::encodeName(folder.path()) + "/week\xe9.clt");
    EXPECT_EQ(again, bytes("chdb.res"));
    EXPECT_EQ(again.size(), 5 * 960);
    // Opened again (the name as the shell passes it), every row gets a new id.
    o = shell("\"$0\" \"$(printf 'week\\351.clt')\" && \"$0\" --list");
    ASSERT_EQ(o.code, 0) << o.err.toStdString();
    EXPECT_TRUE(o.out.startsWith("@5\t1\tactive\ttime\t12:30:00\t")) << o.out.toStdString();
    EXPECT_EQ(o.out.count('\n'), 3);
    ::unlink(QFile::encodeName(folder.path()) + "/week\xe9.clt");
}

TEST_F(CommandLineTest, ListAsJsonAndTextThatIsNotUtf8IsRefused) {
    ASSERT_EQ(
        chimelet({"--add", QString::fromUtf8("T\xc3\xa9 \xe2\x98\x95"), "--in", "1h2m3s"}).code, 0);
    ASSERT_EQ(chimelet({"--add", "Night", "--at", "23:59:59", "--repeat"}).code, 0);
    ASSERT_EQ(chimelet({"--stop", "@2"}).code, 0);
    const QByteArray before = bytes("chdb.res");
    Outcome o = shell("\"$0\" --add \"$(printf 'bad\\377\\376')\" --in 5m");
    EXPECT_EQ(o.code, 2);
    EXPECT_EQ(o.err, "chimelet: --add: the value is not valid UTF-8.\n");
    EXPECT_EQ(bytes("chdb.res"), before);

    o = chimelet({"--list", "--json"});
    ASSERT_EQ(o.code, 0);
    QJsonParseError error;
    const QJsonArray list = QJsonDocument::fromJson(o.out.toUtf8(), &error).array();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << o.out.toStdString();
    ASSERT_EQ(list.size(), 2);
    const QJsonObject tea = list[0].toObject(), night = list[1].toObject();
    EXPECT_EQ(tea["id"].toInt(), 1);
    EXPECT_EQ(tea["row"].toInt(), 1);
    EXPECT_EQ(tea["state"].toString(), "active");
    EXPECT_EQ(tea["kind"].toString(), "countdown");
    EXPECT_EQ(tea["time"].toInt(), 3723);
    EXPECT_GT(tea["left"].toInt(), 3600);
    EXPECT_LE(tea["left"].toInt(), 3723);
    EXPECT_EQ(tea["repeat"].toString(), "once");
    EXPECT_EQ(tea["text"].toString(), QString::fromUtf8("T\xc3\xa9 \xe2\x98\x95"));
    EXPECT_EQ(night["id"].toInt(), 2);
    EXPECT_EQ(night["state"].toString(), "inactive");
    EXPECT_EQ(night["kind"].toString(), "time");
    EXPECT_EQ(night["time"].toString(), "23:59:59");
    EXPECT_TRUE(night["left"].isNull());
    EXPECT_EQ(night["repeat"].toString(), "repeat");
}

// The script of the README and the man page, as it stands there: add, list by id, stop,
// delete, save, quit.
TEST_F(CommandLineTest, TheScriptOfTheReadmeAndTheManPageRunsAsWritten) {
    const QString readme = QString::fromUtf8(readbytes(CHIMELET_SOURCE_DIR "/README.md"));
    const qsizetype from = readme.indexOf("```sh\n", readme.indexOf("## From a terminal"));
    ASSERT_GT(from, 0);
    const QString script = readme.mid(from + 6, readme.indexOf("```", from + 6) - from - 6);
    const QString man =
        QString::fromUtf8(readbytes(CHIMELET_SOURCE_DIR "/resources/chimelet.1.in"));
    const qsizetype example = man.indexOf(".EX\n#!/bin/sh\n");
    ASSERT_GT(example, 0);
    QString shown = man.mid(example + 4, man.indexOf(".EE\n", example) - example - 4);
    EXPECT_EQ(shown.replace("\\-", "-").replace("\\\\", "\\"), script);
    writebytes(folder.filePath("script.sh"), script.toUtf8());
    env.insert("PATH", folder.path() + ":" + env.value("PATH"));
    const Outcome o = shell("/bin/sh ./script.sh");
    EXPECT_EQ(o.code, 0) << o.err.toStdString();
    EXPECT_TRUE(QRegularExpression("^@2\ntea in \\d+ s\n$").match(o.out).hasMatch())
        << o.out.toStdString();
    const qint64 pid = runningpid();
    EXPECT_TRUE(pid == 0 || hasgone(pid)) << "the program runs on after --quit";
    const QByteArray saved = bytes("today.clt");
    ASSERT_EQ(saved.size(), 3 * 960);
    EXPECT_EQ(decodenotification(record(saved, 1)).Deleted, 1);
    EXPECT_EQ(decodenotification(record(saved, 2)).MessageText, "Stand-up meeting");
}

// --quit returns when the program has ended. While "Save before exit?" waits, what would
// change the list is refused, so "Just exit" cannot drop it.
TEST_F(CommandLineTest, QuitWaitsForTheEndAndTheListStaysWhileTheQuestionIsOpen) {
    ASSERT_EQ(chimelet({"--add", "Tea", "--in", "5m"}).code, 0);
    const qint64 pid = runningpid();
    QProcess quit;
    quit.setProcessEnvironment(env);
    quit.start(exe, {"--quit"});
    ASSERT_TRUE(quit.waitForStarted(5000));
    // Refused once the question is up (until then it only stops what is stopped).
    Outcome o;
    ASSERT_TRUE(waitfor([&] { return (o = chimelet({"--stop-all"})).code == 1; }, 15000))
        << o.err.toStdString();
    o = chimelet({"--add", "More", "--in", "5m"});
    EXPECT_EQ(o.code, 1);
    EXPECT_TRUE(o.err.startsWith("chimelet: ") && o.err.contains("Save before exit?"));
    EXPECT_EQ(bytes("chdb.res").size(), 2 * 960);
    EXPECT_EQ(quit.state(), QProcess::Running) << "--quit returned while the question waits: "
                                               << quit.readAllStandardError().toStdString();
    EXPECT_EQ(chimelet({"--list"}).code, 0);
    // The program ends (here by a termination signal): --quit returns 0 after it.
    ::kill(static_cast<pid_t>(pid), SIGTERM);
    ASSERT_TRUE(quit.waitForFinished(20000));
    EXPECT_EQ(quit.exitCode(), 0) << quit.readAllStandardError().toStdString();
    EXPECT_TRUE(hasgone(pid));
}

// Installed, the program is started by the session bus for a call to its name, and
// org.freedesktop.Application's Open takes a list as a URI (its name in Latin-1 here).
TEST(SessionBus, ACallWithNothingRunningStartsTheProgramAndOpenTakesAUri) {
    PrivateBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon is not installed";
    QTemporaryDir prefix, home, runtime;
    QProcess install;
    install.start(
        qEnvironmentVariable("CHIMELET_CMAKE", "cmake"),
        {"--install", qEnvironmentVariable("CHIMELET_BUILD_DIR"), "--prefix", prefix.path()});
    ASSERT_TRUE(install.waitForFinished(120000) && install.exitCode() == 0);
    const QString id = CHIMELET_APP_ID, path = "/" + QString(id).replace('.', '/');
    const QString service = prefix.filePath("share/dbus-1/services/" + id + ".service");
    const QByteArray text = readbytes(service);
    EXPECT_TRUE(text.contains("Exec=" + QFile::encodeName(prefix.filePath("bin/chimelet")) + "\n"))
        << text.toStdString();
    ASSERT_TRUE(QFile::copy(service, bus.folder() + "/" + id + ".service"));
    ASSERT_TRUE(bus.setactivationenvironment({{"HOME", home.path()},
                                              {"XDG_RUNTIME_DIR", runtime.path()},
                                              {"QT_QPA_PLATFORM", "offscreen"},
                                              {"DBUS_SESSION_BUS_ADDRESS", bus.address()}}));

    const QByteArray list = [] {
        RecordBytes header = newheader();
        header[headerfield::RecordCount] = 1;
        TNotificationRecord tea;
        tea.MessageText = "Tea";
        const RecordBytes raw = encodenotification(tea);
        return QByteArray(reinterpret_cast<const char*>(header.data()), 960) +
               QByteArray(reinterpret_cast<const char*>(raw.data()), 960);
    }();
    const QByteArray named = QFile::encodeName(home.path()) + "/lat\xe9.clt";
    ASSERT_TRUE(replacefile(namefromnative(named), list));
    const auto gdbusto = [&](const QString& dest, const QString& object, const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
        p.setProcessEnvironment(env);
        p.start("gdbus", QStringList{"call", "--session", "--dest", dest, "--object-path", object,
                                     "--method"} +
                             args);
        p.waitForFinished(40000);
        return Outcome{p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()).trimmed(),
                       QString::fromUtf8(p.readAllStandardError()).trimmed()};
    };
    const auto gdbus = [&](const QStringList& args) { return gdbusto(id, path, args); };
    const QString uri = "file://" + QString::fromLatin1(named.toPercentEncoding("/"));
    Outcome o = gdbus({"org.freedesktop.Application.Open", "['" + uri + "']", "{}"});
    ASSERT_EQ(o.code, 0) << o.err.toStdString();
    EXPECT_EQ(readbytes(home.filePath(".local/share/Chimelet/chdb.res")), list);

    // A failure is the caller's D-Bus error, naming the file.
    o = gdbus(
        {"org.freedesktop.Application.Open", "['file://" + home.path() + "/none.clt']", "{}"});
    EXPECT_NE(o.code, 0);
    EXPECT_TRUE(o.err.contains(home.path() + "/none.clt: Load failed")) << o.err.toStdString();
    o = gdbusto("org.freedesktop.DBus", "/org/freedesktop/DBus",
                {"org.freedesktop.DBus.GetConnectionUnixProcessID", id});
    const qint64 running = o.out.section(' ', 1).section(',', 0, 0).toLongLong(); // (uint32 N,)
    ASSERT_GT(running, 0);
    EXPECT_EQ(gdbus({id + ".Quit"}).code, 0);
    EXPECT_TRUE(waitfor([&] { return hasgone(running); }, 10000));
    ::unlink(named.constData());
}
