#include "chimeletversion.h"
#include "programrun.h"
#include "scriptrun.h"
#include "support/abstractsocket.h"
#include "support/privatebus.h"

#include <QDir>
#include <QLocalSocket>
#include <QtEndian>
#include <gtest/gtest.h>

#include <csignal>

TEST_F(CommandLineTest, HelpVersionAndRefusalsStartNothingAndWriteNothing) {
    Outcome o = chimelet({"--version"});
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.out, "Chimelet " + QString::fromLatin1(CHIMELET_VERSION) + "\n");
    EXPECT_EQ(chimelet({"--help"}).code, 0);
    // A refusal names what it refuses, on one line.
    for (const QStringList& args : {QStringList{"--bogus"},
                                    {"--add", "Tea", "--in", "25x"},
                                    {"--add", "Tea", "--at", "7pm"},
                                    {"--stop", "two"}}) {
        o = chimelet(args);
        EXPECT_EQ(o.code, 2);
        EXPECT_TRUE(o.err.contains(QString(args.last()).remove("--")) && o.err.count('\n') == 1)
            << o.err.toStdString();
    }
    EXPECT_EQ(chimelet({"--quit"}).code, 0); // nothing runs, nothing to end
    EXPECT_EQ(runningpid(), 0);
    EXPECT_EQ(files(), (QStringList{"chimelet", "chimelet-audio.so", "chimelet-http.so"}));
}

TEST_F(CommandLineTest, EachCommandReachesTheRunningCopyItStartedFirst) {
    // No copy runs: the command starts one and returns once the record is stored.
    Outcome o = chimelet({"--add", "Tea", "--in", "1h2m3s"});
    ASSERT_EQ(o.code, 0) << o.err.toStdString();
    EXPECT_EQ(o.out, "@1\n");
    const qint64 pid = runningpid();
    ASSERT_GT(pid, 0);
    EXPECT_EQ(bytes("chdb.res").size(), 2 * 960);
    EXPECT_EQ(chimelet({"--add", "Lunch", "--at", "12:30", "--repeat"}).out, "@2\n");
    o = chimelet({"--list"});
    EXPECT_EQ(o.code, 0);
    const QStringList lines = o.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("@1\t1\tactive\tcountdown\t3723\t")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith("\tonce\tTea"));
    EXPECT_TRUE(lines[1].startsWith("@2\t2\tactive\ttime\t12:30:00\t"));
    EXPECT_TRUE(lines[1].endsWith("\trepeat\tLunch"));

    EXPECT_EQ(chimelet({"--stop", "1"}).code, 0);
    EXPECT_TRUE(chimelet({"--list"}).out.contains("@1\t1\tinactive\tcountdown\t3723\t\tonce"));
    const QByteArray before = bytes("chdb.res");
    o = chimelet({"--start", "3"});
    EXPECT_EQ(o.code, 1);
    EXPECT_TRUE(o.err.contains('3'));
    EXPECT_EQ(bytes("chdb.res"), before);
    EXPECT_EQ(chimelet({"--start-all"}).code, 0);
    EXPECT_FALSE(chimelet({"--list"}).out.contains("inactive"));
    EXPECT_EQ(chimelet({"--stop-all"}).code, 0);
    EXPECT_EQ(chimelet({"--list"}).out.count("\tinactive\t"), 2);
    EXPECT_EQ(chimelet({"--show"}).code, 0);

    // A list file opens in the running copy; a file that is no list is refused there.
    const QByteArray list = bytes("chdb.res");
    writebytes(folder.filePath("two.clt"), list);
    writebytes(folder.filePath("broken.clt"), "not a list");
    o = chimelet({"broken.clt"});
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.err, "chimelet: " + folder.filePath("broken.clt") + ": Load failed\n");
    EXPECT_EQ(chimelet({"two.clt"}).code, 0);
    EXPECT_EQ(bytes("chdb.res"), list);

    // Garbage on the command socket is dropped unanswered and changes nothing.
    const QByteArray socket = socketname(folder.path());
    const auto frame = [](const QByteArray& payload) {
        QByteArray length(4, '\0');
        qToBigEndian(static_cast<quint32>(payload.size()), length.data());
        return length + payload;
    };
    const QByteArray tag("chimelet-command-1\0", 19);
    const QList<QByteArray> garbage = {
        QByteArray(5000, '\xff'),                          // a length beyond the bound
        QByteArray(4, '\0'),                               // an empty frame
        frame("hello"),                                    // no tag
        frame(tag + QByteArray("open\0\xc3(\0", 8)),       // broken UTF-8
        frame(tag + QByteArray("stop\0", 5)),              // stop without its row
        frame(tag + QByteArray("erase\0", 6)),             // no such verb
        frame(tag + QByteArray("quit\0", 5)) + "and more", // bytes after the frame
        frame(tag + QByteArray("quit\0", 5)).left(12)};    // never finished
    for (const QByteArray& bytes : garbage) {
        QLocalSocket s;
        ASSERT_TRUE(s.setSocketDescriptor(connectabstract(socket)));
        s.write(bytes);
        s.waitForBytesWritten(2000);
        // Dropped without an answer.
        EXPECT_TRUE(s.state() == QLocalSocket::UnconnectedState || s.waitForDisconnected(7000));
        EXPECT_EQ(s.readAll(), QByteArray());
    }
    EXPECT_EQ(runningpid(), pid);
    EXPECT_EQ(bytes("chdb.res"), list);
}

TEST_F(CommandLineTest, AFileOpensInTheNewCopyAndQuitEndsAnUnchangedList) {
    QByteArray empty(960, '\0');
    empty.replace(300, 4, QByteArray(4, '\xff'));
    empty[256] = 1; // Sequential: unlike the fresh list of a start
    writebytes(folder.filePath("start.clt"), empty);
    first.setProcessEnvironment(env);
    first.setWorkingDirectory(folder.path());
    first.start(exe, {"start.clt"});
    ASSERT_TRUE(waitfor([&] { return bytes("chdb.res") == empty; }, 15000));
    const qint64 pid = runningpid();
    EXPECT_EQ(chimelet({"--quit"}).code, 0);
    EXPECT_TRUE(hasgone(pid)) << "--quit returned before the program ended";
    EXPECT_TRUE(first.waitForFinished(5000));
    EXPECT_EQ(first.exitCode(), 0);
}

TEST_F(CommandLineTest, CommandsAreAnsweredWhileTheStartUpBoxWaitsForTheUser) {
    // Not a list file: the new copy's start-up says so in a box that nobody closes.
    writebytes(folder.filePath("damaged.clt"), QByteArray(100, 'x'));
    first.setProcessEnvironment(env);
    first.setWorkingDirectory(folder.path());
    first.start(exe, {"damaged.clt"});
    ASSERT_TRUE(waitfor([&] { return runningpid() > 0; }, 15000));
    const Outcome o = chimelet({"--list"});
    EXPECT_EQ(o.code, 0) << o.err.toStdString();
    EXPECT_EQ(o.out, "");
}

TEST_F(CommandLineTest, TheSessionBusOffersTheSameCommandsAndTellsOfFirings) {
    PrivateBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon is not installed";
    env.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
    QProcess monitor;
    const QString id = CHIMELET_APP_ID, path = "/" + QString(id).replace('.', '/');
    const auto gdbus = [&](const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start("gdbus", QStringList{args[0], "--session", "--dest", id, "--object-path", path} +
                             args.mid(1));
        p.waitForFinished(10000);
        return Outcome{p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()).trimmed(),
                       QString::fromUtf8(p.readAllStandardError()).trimmed()};
    };
    const auto call = [&](const QString& method, const QStringList& args = {}) {
        return gdbus(QStringList{"call", "--method", id + "." + method} + args);
    };
    start(first);
    ASSERT_TRUE(waitfor([&] { return call("List").code == 0; }, 15000))
        << call("List").err.toStdString();
    const QString introspection = gdbus({"introspect"}).out;
    for (const char* member : {"Open(", "Add(", "List(", "Start(", "Stop(", "Delete(", "StartAll(",
                               "StopAll(", "Save(", "SaveAs(", "Show(", "Quit(", "Fired(i id"})
        EXPECT_TRUE(introspection.contains(member)) << member;

    monitor.setProcessEnvironment(env);
    monitor.start("gdbus", {"monitor", "--session", "--dest", id});
    ASSERT_TRUE(monitor.waitForStarted(5000));
    EXPECT_EQ(call("Add", {"Tea", "2s", "", "false"}).out, "(1,)");
    EXPECT_EQ(chimelet({"--add", "Cake", "--at", "23:59", "--repeat"}).out, "@2\n");
    EXPECT_TRUE(call("List").out.startsWith("([['@1', '1', 'active', 'countdown', '2', "))
        << call("List").out.toStdString();
    const Outcome missing = call("Start", {"'5'"});
    EXPECT_NE(missing.code, 0);
    EXPECT_TRUE(missing.err.contains("row 5")) << missing.err.toStdString();
    EXPECT_NE(call("Add", {"Tea", "0s", "", "false"}).code, 0);
    QByteArray heard;
    EXPECT_TRUE(waitfor(
        [&] {
            monitor.waitForReadyRead(100);
            heard += monitor.readAllStandardOutput();
            return heard.contains(": " CHIMELET_APP_ID ".Fired (1, 1, 'Tea')");
        },
        8000))
        << heard.toStdString();
    // Rows renumber after a Delete; the ids stay.
    EXPECT_EQ(call("Delete", {"'1'"}).code, 0);
    EXPECT_TRUE(call("List").out.startsWith("([['@2', '1', ")) << call("List").out.toStdString();
    EXPECT_NE(call("Stop", {"'@1'"}).code, 0);
    EXPECT_EQ(call("Stop", {"'@2'"}).code, 0);
    for (QProcess* p : {&monitor, &first}) {
        p->kill();
        p->waitForFinished(3000);
    }
}
