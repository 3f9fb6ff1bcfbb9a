#include "linuxplatform/singleinstance.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

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
    // The later copy's activation token goes with it: Wayland brings forward only with one.
    qputenv("XDG_ACTIVATION_TOKEN", "launcher-token_1");
    later.broadcast();
    qunsetenv("XDG_ACTIVATION_TOKEN");
    EXPECT_TRUE(QTest::qWaitFor([&] { return heard.size() == 2; }, 3000));
    EXPECT_EQ(qgetenv("XDG_ACTIVATION_TOKEN"), "launcher-token_1");
    qunsetenv("XDG_ACTIVATION_TOKEN");

    // Another name is another program.
    LocalSingleInstance other("otherlock", "othermessage");
    EXPECT_TRUE(other.acquire());
}
