#include "linuxplatform/sleepwatch.h"
#include "support/privatebus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// Hears logind's signal on the watch's own connection, after the watch: once it has heard
// a half, so has the watch.
class Halves : public QObject {
    Q_OBJECT
public:
    QList<bool> heard;
public slots:
    void prepare(bool sleeping) { heard << sleeping; }
};
} // namespace

// A bus of the test's own plays the system bus; one connection on it owns logind's name
// and sends its signal, as logind does around a sleep. Each half is looked at alone, so
// a flag read the wrong way round shows.
TEST(LogindSleepWatch, OnlyTheWakingHalfOfPrepareForSleepIsNews) {
    PrivateBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon is not installed";
    QDBusConnection logind = bus.connect("logind");
    ASSERT_TRUE(logind.registerService("org.freedesktop.login1"));
    QDBusConnection app = bus.connect("app");
    LogindSleepWatch watch(app);
    ASSERT_TRUE(watch.listening());
    Halves halves;
    ASSERT_TRUE(app.connect("org.freedesktop.login1", "/org/freedesktop/login1",
                            "org.freedesktop.login1.Manager", "PrepareForSleep", &halves,
                            SLOT(prepare(bool))));
    QSignalSpy woke(&watch, &SleepWatch::woke);
    // Each half, and the wakings counted once it has been heard.
    const std::pair<bool, int> halvesandwakings[] = {{true, 0}, {false, 1}, {true, 1}};
    int sent = 0;
    for (const auto& [sleeping, wakings] : halvesandwakings) {
        QDBusMessage signal = QDBusMessage::createSignal(
            "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "PrepareForSleep");
        signal << sleeping;
        ASSERT_TRUE(logind.send(signal));
        ++sent;
        ASSERT_TRUE(QTest::qWaitFor([&] { return halves.heard.size() == sent; }, 3000));
        QCoreApplication::processEvents();
        EXPECT_EQ(woke.count(), wakings) << "after PrepareForSleep(" << sleeping << ")";
    }
    // Without a bus there is nothing to hear and nothing fails.
    EXPECT_FALSE(LogindSleepWatch(QDBusConnection::connectToBus("unix:path=/nonexistent", "none"))
                     .listening());
    QDBusConnection::disconnectFromBus("none");
}

#include "sleepwatch_test.moc"
