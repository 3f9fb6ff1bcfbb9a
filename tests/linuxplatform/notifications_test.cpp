#include "linuxplatform/desktopnotifications.h"
#include "linuxplatform/tray.h"
#include "support/privatebus.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

class Notifications : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon is not installed";
        server = std::make_unique<QDBusConnection>(bus.connect("svc"));
        client = std::make_unique<QDBusConnection>(bus.connect("app"));
        ASSERT_TRUE(server->isConnected() && client->isConnected());
    }
    void TearDown() override {
        server.reset();
        client.reset();
    }

    PrivateBus bus;
    std::unique_ptr<QDBusConnection> server, client;
    NotificationService service;
};

} // namespace

TEST_F(Notifications, BalloonIsADesktopNotificationWithdrawnAtTheEndOfTheDisplay) {
    ASSERT_TRUE(service.serve(*server));
    SystemTrayIcon tray(*client);
    tray.setballoontext("Tea <b>& cake</b>");
    tray.showballoon();
    ASSERT_TRUE(QTest::qWaitFor([this] { return service.calls.size() == 1; }, 5000));
    EXPECT_EQ(service.calls[0], "Notify|Chimelet|0|dialog-information|Chimelet Message:|"
                                "Tea &lt;b&gt;&amp; cake&lt;/b&gt;|3000");
    // The end of the display withdraws the last one on screen, even before it was answered.
    tray.showballoon();
    ASSERT_TRUE(QTest::qWaitFor([this] { return service.calls.size() == 2; }, 5000));
    tray.setballoontext("");
    ASSERT_TRUE(QTest::qWaitFor([this] { return service.calls.size() == 3; }, 5000));
    EXPECT_EQ(service.calls[2], "Close|" + QString::number(service.last));
}

TEST_F(Notifications, AServiceInstalledButNotRunningIsStartedByTheBalloon) {
    const QString started = bus.folder() + "/started";
    bus.install("org.freedesktop.Notifications", "touch " + started + "; exec sleep 20");
    SystemTrayIcon tray(*client);
    tray.setballoontext("Tea");
    tray.showballoon();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(started); }, 5000))
        << "the bus was not asked to start the service";
    // The service takes its name: the call that started it reaches it.
    ASSERT_TRUE(service.serve(*server));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !service.calls.isEmpty(); }, 5000));
    EXPECT_EQ(service.calls[0], "Notify|Chimelet|0|dialog-information|Chimelet Message:|Tea|3000");
}

TEST_F(Notifications, AServiceThatNeverAnswersIsGivenUpWithinTheDisplayAndLeftAlone) {
    SilentNotificationService silent;
    ASSERT_TRUE(silent.serve(*server));
    DesktopNotifications notes(*client);
    QSignalSpy elsewhere(&notes, &DesktopNotifications::unreachable);
    // Shorter than the service's second: nothing shows after its time.
    notes.notify("Chimelet Message:", "Tea", 500);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !notes.available(); }, 5000));
    EXPECT_TRUE(elsewhere.isEmpty());

    // Left alone while it is remembered dead: shown the other way at once, for its time.
    const int asked = silent.calls;
    notes.notify("Chimelet Message:", "Cake", 3000);
    ASSERT_EQ(elsewhere.size(), 1);
    EXPECT_EQ(elsewhere[0][1].toString(), "Cake");
    EXPECT_EQ(elsewhere[0][2].toInt(), 3000);
    EXPECT_EQ(silent.calls, asked);

    // A service that comes anew is asked again, and answers.
    silent.calls = 0;
    server.reset();
    QDBusConnection::disconnectFromBus("svc");
    auto fresh = std::make_unique<QDBusConnection>(bus.connect("svc2"));
    ASSERT_TRUE(service.serve(*fresh));
    ASSERT_TRUE(QTest::qWaitFor([&] { return notes.available(); }, 5000));
    notes.notify("Chimelet Message:", "Jam", 3000);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !service.calls.isEmpty(); }, 5000));
    EXPECT_EQ(elsewhere.size(), 1);
}
