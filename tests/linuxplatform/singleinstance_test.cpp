#include "linuxplatform/singleinstance.h"

#include "support/tempfolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

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
    later.broadcast();
    EXPECT_TRUE(QTest::qWaitFor([&] { return heard.size() == 2; }, 3000));

    // Another name is another program.
    LocalSingleInstance other("otherlock", "othermessage");
    EXPECT_TRUE(other.acquire());
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
