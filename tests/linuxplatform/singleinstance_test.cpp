#include "linuxplatform/commandframe.h"
#include "linuxplatform/sessionbusservice.h"
#include "linuxplatform/singleinstance.h"

#include "support/privatebus.h"
#include "support/tempfolder.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(SingleInstance, TheSecondCopyIsRefusedAndItsStartReachesTheFirst) {
    QTemporaryDir session;
    qputenv("XDG_RUNTIME_DIR", session.path().toLocal8Bit());
    LocalSingleInstance running("lockname", "messagename");
    ASSERT_TRUE(running.acquire());
    running.listen();
    QSignalSpy heard(&running, &SingleInstance::startedAgain);

    LocalSingleInstance later("lockname", "messagename");
    EXPECT_FALSE(later.acquire());
    later.broadcast();
    EXPECT_TRUE(QTest::qWaitFor([&] { return heard.size() == 1; }, 3000));
    // The later copy's activation token goes with it, and is there while the running copy
    // comes forward and only then: Wayland brings forward only with one.
    QStringList lent;
    const auto look = [&] { lent << qEnvironmentVariable("XDG_ACTIVATION_TOKEN"); };
    QObject::connect(&running, &SingleInstance::startedAgain, look);
    qputenv("XDG_ACTIVATION_TOKEN", "launcher-token_1");
    later.broadcast();
    qunsetenv("XDG_ACTIVATION_TOKEN");
    running.setcommands([&](const RemoteCommand&) { return look(), RemoteReply{}; });
    later.send({"show", {}, "launcher-token_2"}, 100);
    EXPECT_TRUE(QTest::qWaitFor([&] { return lent.size() == 2; }, 3000));
    EXPECT_EQ(lent, QStringList({"launcher-token_1", "launcher-token_2"}));
    EXPECT_FALSE(qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN"));

    // Another name is another program.
    LocalSingleInstance other("otherlock", "othermessage");
    EXPECT_TRUE(other.acquire());
}

TEST(SingleInstance, AFramesActivationTokenIsTakenOnlyWhenItIsOneAndNeverCostsTheCommand) {
    const RemoteCommand sent{"stop", {"3"}, "gnome-shell/Chimelet/1234-5-host_TIME42"};
    EXPECT_EQ(commandframe::parserequest(commandframe::request(sent).mid(4)), sent);
    const QByteArray stop = QByteArray("chimelet-command-1") + '\0' + "stop" + '\0' + "3" + '\0';
    const QByteArray head = stop + "activation-token=";
    for (const QByteArray& hostile :
         {QByteArray(256, 'a'), QByteArray("to\nken"), QByteArray("to ken"),
          QByteArray("t\xc3\xb6ken"), QByteArray()}) {
        const auto heard = commandframe::parserequest(head + hostile + '\0');
        ASSERT_TRUE(heard) << hostile.toStdString();
        EXPECT_EQ(*heard, RemoteCommand({"stop", {"3"}, {}}));
    }
    // Only the token may follow the arguments.
    EXPECT_FALSE(commandframe::parserequest(stop + "x" + '\0'));
}

TEST(SessionBus, ActivateLendsTheCallersTokenToTheWindowThatComesForward) {
    PrivateBus bus;
    if (bus.address().isEmpty()) GTEST_SKIP() << "dbus-daemon is not installed";
    QStringList heard;
    SessionBusService service(
        "org.example.Chimelet",
        [&](const RemoteCommand& c) {
            heard << c.verb + ' ' + qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
            return RemoteReply{};
        },
        bus.connect("service"));
    ASSERT_TRUE(service.publish());
    for (const char* token : {"bus-token_1", "bad\ttoken"}) {
        QDBusMessage call =
            QDBusMessage::createMethodCall("org.example.Chimelet", "/org/example/Chimelet",
                                           "org.freedesktop.Application", "Activate");
        call << QVariantMap{{"activation-token", token}};
        const QDBusPendingCall pending = bus.connect("caller").asyncCall(call);
        ASSERT_TRUE(QTest::qWaitFor([&] { return pending.isFinished(); }, 5000));
        EXPECT_FALSE(pending.isError()) << pending.error().message().toStdString();
    }
    EXPECT_EQ(heard, QStringList({"show bus-token_1", "show "}));
    EXPECT_FALSE(qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN"));
}

namespace {
// Set in the copy that the crash test starts and kills.
constexpr const char* kCopyRole = "CHIMELET_TEST_SINGLEINSTANCE_COPY";
} // namespace

// The copy of the program that the crash test kills; skipped in an ordinary run.
TEST(SingleInstanceCopy, HoldsTheLockAndListensUntilKilled) {
    if (qEnvironmentVariableIsEmpty(kCopyRole)) GTEST_SKIP() << "started by the crash test";
    LocalSingleInstance copy("lockname", "messagename");
    ASSERT_TRUE(copy.acquire());
    copy.listen();
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    QTest::qWait(60000);
}

// What a copy leaves when it is killed at any moment: its lock and socket files, or a
// lock file still empty, damaged or unreadable. None may keep the next copy from
// starting, nor a later one from reaching it.
TEST(SingleInstance, AKilledCopysLeftoversStopNeitherTheNextStartNorALaterCall) {
    QTemporaryDir session;
    qputenv("XDG_RUNTIME_DIR", session.path().toLocal8Bit());
    const QString lockfile = session.filePath("lockname.lock");
    const std::function<void()> leftovers[] = {
        [] {
            QProcess copy;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(kCopyRole, "1");
            copy.setProcessEnvironment(env);
            copy.start(QCoreApplication::applicationFilePath(),
                       {"--gtest_filter=SingleInstanceCopy.*"});
            QByteArray said;
            ASSERT_TRUE(QTest::qWaitFor(
                [&] {
                    // Events may have taken what came already; then nothing more is due.
                    copy.waitForReadyRead(100);
                    said += copy.readAll();
                    return said.contains("ready\n");
                },
                60000))
                << said.toStdString();
            copy.kill();
            ASSERT_TRUE(copy.waitForFinished(5000));
        },
        [&] { writebytes(lockfile, {}); },
        [&] { writebytes(lockfile, QByteArray("\xff\xfe\x00 no pid\n\n\n", 13)); },
        [&] {
            writebytes(lockfile, "4194304\nchimelet\nelsewhere\n");
            QFile::setPermissions(lockfile, {});
        },
        // A socket file bound and closed, nobody listening at it, beside a stale lock.
        [&] {
            writebytes(lockfile, "4194304\nchimelet\nelsewhere\n");
            const QByteArray path = QFile::encodeName(session.filePath("messagename"));
            sockaddr_un addr{};
            addr.sun_family = AF_UNIX;
            std::memcpy(addr.sun_path, path.constData(), path.size());
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
            ::close(fd);
            ASSERT_TRUE(QFileInfo(session.filePath("messagename")).exists());
        },
    };
    int n = 0;
    for (const auto& leave : leftovers) {
        SCOPED_TRACE(n++);
        leave();
        ASSERT_TRUE(QFile::exists(lockfile));
        LocalSingleInstance next("lockname", "messagename");
        ASSERT_TRUE(next.acquire());
        next.listen();
        QSignalSpy heard(&next, &SingleInstance::startedAgain);
        LocalSingleInstance later("lockname", "messagename");
        EXPECT_FALSE(later.acquire());
        later.broadcast();
        EXPECT_TRUE(QTest::qWaitFor([&] { return heard.size() == 1; }, 3000));
    }
}

namespace {
// A process of another user, as root can make one: what it hears back from the socket.
QByteArray askasnobody(const QString& socketpath, const QByteArray& frame) {
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || !nobody) return "skipped";
    int out[2];
    if (::pipe(out) != 0) return "no pipe";
    const QByteArray path = QFile::encodeName(socketpath);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(out[0]);
        if (::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0) ::_exit(1);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::memcpy(addr.sun_path, path.constData(), path.size());
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) ::_exit(2);
        if (::write(fd, frame.constData(), frame.size()) != frame.size()) ::_exit(3);
        char buf[256];
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n > 0 && ::write(out[1], buf, n) != n) ::_exit(4);
        ::_exit(0);
    }
    ::close(out[1]);
    QByteArray heard;
    // The running copy's loop must turn while the other process waits for its answer.
    int status = -1;
    if (!QTest::qWaitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, 8000))
        return "no end";
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "could not ask";
    char buf[256];
    for (ssize_t n; (n = ::read(out[0], buf, sizeof buf)) > 0;)
        heard.append(buf, n);
    ::close(out[0]);
    return heard;
}
} // namespace

TEST(SingleInstance, AnotherUserIsNotHeardEvenWhereTheSocketIsOpenToAll) {
    QTemporaryDir session;
    qputenv("XDG_RUNTIME_DIR", session.path().toLocal8Bit());
    LocalSingleInstance running("lockname", "messagename");
    ASSERT_TRUE(running.acquire());
    running.listen();
    int heard = 0;
    running.setcommands([&heard](const RemoteCommand&) {
        ++heard;
        return RemoteReply{0, {"heard"}, {}, {}, {}};
    });
    ::chmod(QFile::encodeName(session.path()), 0777);
    const QString socket = session.filePath("messagename");
    ::chmod(QFile::encodeName(socket), 0777);
    const QByteArray answer = askasnobody(socket, commandframe::request({"start-all", {}}));
    if (answer == "skipped") GTEST_SKIP() << "needs root to act as another user";
    EXPECT_EQ(answer, QByteArray());
    EXPECT_EQ(heard, 0);
}
