#include "linuxplatform/sleepwatch.h"
#include "support/privatebus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

// A bus of the test's own plays the system bus; one connection on it owns logind's name
// and sends its signal, as logind does around a sleep.
TEST(LogindSleepWatch, TheWakingHalfOfPrepareForSleepIsNews) {
    PrivateBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon is not installed";
    QDBusConnection logind = bus.connect("logind");
    ASSERT_TRUE(logind.registerService("org.freedesktop.login1"));
    LogindSleepWatch watch(bus.connect("app"));
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
    EXPECT_FALSE(LogindSleepWatch(QDBusConnection::connectToBus("unix:path=/nonexistent", "none"))
                     .listening());
    QDBusConnection::disconnectFromBus("none");
}
