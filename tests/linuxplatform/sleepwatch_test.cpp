#include "linuxplatform/sleepwatch.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

// A bus of the test's own plays the system bus; one connection on it owns logind's name
// and sends its signal, as logind does around a sleep.
TEST(LogindSleepWatch, TheWakingHalfOfPrepareForSleepIsNews) {
    QProcess daemon;
    daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    ASSERT_TRUE(daemon.waitForStarted(5000)) << "dbus-daemon is not installed";
    ASSERT_TRUE(QTest::qWaitFor([&] { return daemon.canReadLine(); }, 5000));
    const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
    {
        QDBusConnection logind = QDBusConnection::connectToBus(address, "logind");
        ASSERT_TRUE(logind.registerService("org.freedesktop.login1"));
        LogindSleepWatch watch(QDBusConnection::connectToBus(address, "app"));
        ASSERT_TRUE(watch.listening());
        QSignalSpy woke(&watch, &SleepWatch::woke);
        for (bool sleeping : {true, false}) {
            QDBusMessage signal = QDBusMessage::createSignal(
                "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "PrepareForSleep");
            signal << sleeping;
            ASSERT_TRUE(logind.send(signal));
        }
        EXPECT_TRUE(woke.wait(3000));
        QTest::qWait(100);
        EXPECT_EQ(woke.count(), 1);
        // Without a bus there is nothing to hear and nothing fails.
        EXPECT_FALSE(
            LogindSleepWatch(QDBusConnection::connectToBus("unix:path=/nonexistent", "none"))
                .listening());
    }
    for (const char* name : {"logind", "app", "none"})
        QDBusConnection::disconnectFromBus(name);
    daemon.kill();
    daemon.waitForFinished(3000);
}
