#include "linuxplatform/commandframe.h"
#include "linuxplatform/sessionbusservice.h"
#include "linuxplatform/singleinstance.h"

#include "support/abstractsocket.h"
#include "support/privatebus.h"
#include "support/tempfolder.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
// A later copy's plain start, sent while this thread's loop turns: the running copy in
// this process answers it.
void startedagain(const LocalSingleInstance& later) {
    std::atomic<bool> done = false;
    std::thread start([&] {
        EXPECT_TRUE(later.reachrunning());
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 8000));
    start.join();
}
} // namespace

TEST(SingleInstance, TheSecondCopyIsRefusedAndItsStartReachesTheFirst) {
    QTemporaryDir data;
    LocalSingleInstance running(data.path());
    ASSERT_TRUE(running.acquire());
    running.listen();
    QSignalSpy heard(&running, &SingleInstance::startedAgain);

    LocalSingleInstance later(data.path());
    EXPECT_FALSE(later.acquire());
    EXPECT_TRUE(later.othercopyruns());
    // The lock is the user's alone, and says nothing of any session's runtime folder.
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(data.filePath("chimelet.lock")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    qputenv("XDG_RUNTIME_DIR", data.filePath("elsewhere").toLocal8Bit());
    startedagain(later);
    EXPECT_TRUE(QTest::qWaitFor([&] { return heard.size() == 1; }, 3000));
    // The later copy's activation token goes with it, and is there while the running copy
    // comes forward and only then: Wayland brings forward only with one.
    QStringList lent;
    const auto look = [&] { lent << qEnvironmentVariable("XDG_ACTIVATION_TOKEN"); };
    QObject::connect(&running, &SingleInstance::startedAgain, look);
    qputenv("XDG_ACTIVATION_TOKEN", "launcher-token_1");
    startedagain(later);
    qunsetenv("XDG_ACTIVATION_TOKEN");
    running.setcommands([&](const RemoteCommand&) { return look(), RemoteReply{}; });
    later.send({"show", {}, "launcher-token_2"}, 100);
    EXPECT_TRUE(QTest::qWaitFor([&] { return lent.size() == 2; }, 3000));
    EXPECT_EQ(lent, QStringList({"launcher-token_1", "launcher-token_2"}));
    EXPECT_FALSE(qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN"));

    // Another folder is another copy.
    QTemporaryDir otherdata;
    LocalSingleInstance other(otherdata.path());
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
    LocalSingleInstance copy(qEnvironmentVariable(kCopyRole));
    ASSERT_TRUE(copy.acquire());
    copy.listen();
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    QTest::qWait(60000);
}

// What a copy leaves when it is killed at any moment: its lock file naming it, or a
// lock file still empty, damaged or unreadable. None may keep the next copy from
// starting, nor a later one from reaching it.
TEST(SingleInstance, AKilledCopysLeftoversStopNeitherTheNextStartNorALaterCall) {
    QTemporaryDir data;
    const QString lockfile = data.filePath("chimelet.lock");
    const std::function<void()> leftovers[] = {
        [&] {
            QProcess copy;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(kCopyRole, data.path());
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
            writebytes(lockfile, "4194304\nchimelet-0-gone\n");
            QFile::setPermissions(lockfile, {});
        },
        // A socket file bound and closed, nobody listening at it, beside a stale lock.
        [&] {
            writebytes(lockfile, "4194304\nchimelet\nelsewhere\n");
            const QByteArray path = QFile::encodeName(data.filePath("messagename"));
            sockaddr_un addr{};
            addr.sun_family = AF_UNIX;
            std::memcpy(addr.sun_path, path.constData(), path.size());
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
            ::close(fd);
            ASSERT_TRUE(QFileInfo(data.filePath("messagename")).exists());
        },
    };
    int n = 0;
    for (const auto& leave : leftovers) {
        SCOPED_TRACE(n++);
        leave();
        ASSERT_TRUE(QFile::exists(lockfile));
        LocalSingleInstance probe(data.path());
        EXPECT_FALSE(probe.othercopyruns());
        LocalSingleInstance next(data.path());
        ASSERT_TRUE(next.acquire());
        next.listen();
        QSignalSpy heard(&next, &SingleInstance::startedAgain);
        LocalSingleInstance later(data.path());
        EXPECT_FALSE(later.acquire());
        startedagain(later);
        EXPECT_TRUE(QTest::qWaitFor([&] { return heard.size() == 1; }, 3000));
    }
}

namespace {
// A process of another user, as root can make one: what it hears back from the socket.
QByteArray askasnobody(const QByteArray& name, const QByteArray& frame) {
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || !nobody) return "skipped";
    int out[2];
    if (::pipe(out) != 0) return "no pipe";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(out[0]);
        if (::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0) ::_exit(1);
        const int fd = connectabstract(name);
        if (fd < 0) ::_exit(2);
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

TEST(SingleInstance, AnotherUserIsNotHeardThoughTheSocketHasNoFolderToGuardIt) {
    QTemporaryDir data;
    LocalSingleInstance running(data.path());
    ASSERT_TRUE(running.acquire());
    running.listen();
    int heard = 0;
    running.setcommands([&heard](const RemoteCommand&) {
        ++heard;
        return RemoteReply{0, {"heard"}, {}, {}, {}};
    });
    const QByteArray answer =
        askasnobody(socketname(data.path()), commandframe::request({"start-all", {}}));
    if (answer == "skipped") GTEST_SKIP() << "needs root to act as another user";
    EXPECT_EQ(answer, QByteArray());
    EXPECT_EQ(heard, 0);
}

// Callers that connect and never send hold no one else up: neither a few nor more than
// the copy keeps reading at once.
TEST(SingleInstance, IdleCallersNeverKeepACommandFromItsAnswer) {
    QTemporaryDir data;
    LocalSingleInstance running(data.path());
    ASSERT_TRUE(running.acquire());
    running.listen();
    running.setcommands([](const RemoteCommand& c) { return RemoteReply{0, {c.verb}, {}, {}}; });
    const QByteArray name = socketname(data.path());
    for (const int idle : {20, LocalSingleInstance::kReadingBound + 20}) {
        SCOPED_TRACE(idle);
        std::vector<int> held;
        for (int i = 0; i < idle; ++i)
            held.push_back(connectabstract(name));
        ASSERT_GE(*std::min_element(held.begin(), held.end()), 0);
        QTest::qWait(50); // every one of them taken in
        std::optional<RemoteReply> reply;
        std::atomic<bool> answered = false;
        std::thread caller([&] {
            LocalSingleInstance later(data.path());
            reply = later.send({"list", {"tsv"}}, 4000);
            answered = true;
        });
        // Well before any idle caller's own deadline.
        EXPECT_TRUE(QTest::qWaitFor([&] { return answered.load(); }, 3000));
        caller.join();
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->lines, QStringList{"list"}) << reply->message.toStdString();
        for (const int fd : held)
            ::close(fd);
    }
}

// The running copy reads a caller's frame as it comes, in any pieces, and answers only one
// whole well-formed frame: one too long, cut short or followed by more is dropped unheard.
TEST(SingleInstance, OnlyOneWholeFrameIsAnsweredHoweverItArrives) {
    QTemporaryDir data;
    LocalSingleInstance running(data.path());
    ASSERT_TRUE(running.acquire());
    running.listen();
    int heard = 0;
    running.setcommands([&heard](const RemoteCommand& c) {
        ++heard;
        return RemoteReply{0, {c.verb}, {}, {}};
    });
    const QByteArray name = socketname(data.path());
    const QByteArray frame = commandframe::request({"list", {"tsv"}});
    // What the caller gets back before the copy closes the connection.
    const auto answer = [&name](const QList<QByteArray>& pieces) {
        const int fd = connectabstract(name);
        EXPECT_GE(fd, 0);
        for (const QByteArray& piece : pieces) {
            EXPECT_EQ(::send(fd, piece.constData(), piece.size(), MSG_NOSIGNAL), piece.size());
            QTest::qWait(5);
        }
        QByteArray got;
        bool closed = false;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                char buf[512];
                const ssize_t n = ::recv(fd, buf, sizeof buf, MSG_DONTWAIT);
                if (n > 0) got.append(buf, n);
                closed = n == 0;
                return closed;
            },
            7000));
        ::close(fd);
        return got;
    };
    QList<QByteArray> bytewise;
    for (char c : frame)
        bytewise << QByteArray(1, c);
    EXPECT_FALSE(answer(bytewise).isEmpty());
    EXPECT_EQ(heard, 1);
    const QByteArray toolong =
        QByteArray::fromHex("00010001").left(commandframe::kHeaderBytes) + frame.mid(4);
    for (const QList<QByteArray>& bad :
         {QList<QByteArray>{frame + "x"}, {frame.left(frame.size() - 1)}, {toolong}})
        EXPECT_TRUE(answer(bad).isEmpty());
    EXPECT_EQ(heard, 1) << "nothing else reached the commands";
}
