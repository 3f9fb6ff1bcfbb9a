#include "linuxplatform/tray.h"

#include <QDBusConnection>
#include <QProcess>
#include <QTest>
#include <QVariantMap>
#include <gtest/gtest.h>

namespace {

// The desktop's notification service as the test plays it: records what it is asked.
class NotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList calls;
    uint last = 0;

public slots:
    QStringList GetCapabilities() { return {"body", "body-markup"}; }
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap&, int timeout) {
        calls << QStringList{"Notify", app,  QString::number(replaces), icon,
                             summary,  body, QString::number(timeout)}
                     .join('|');
        return last = 40 + calls.size();
    }
    void CloseNotification(uint id) { calls << "Close|" + QString::number(id); }
};

// A session bus of the test's own, so no desktop's service is touched.
class PrivateBus : public ::testing::Test {
protected:
    void SetUp() override {
        daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        ASSERT_TRUE(daemon.waitForStarted(5000)) << "dbus-daemon is not installed";
        ASSERT_TRUE(QTest::qWaitFor([this] { return daemon.canReadLine(); }, 5000));
        const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
        server = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, "svc"));
        client = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, "app"));
        ASSERT_TRUE(server->isConnected() && client->isConnected());
    }
    void TearDown() override {
        server.reset();
        client.reset();
        QDBusConnection::disconnectFromBus("svc");
        QDBusConnection::disconnectFromBus("app");
        daemon.kill();
        daemon.waitForFinished(3000);
    }
    void registerservice() {
        ASSERT_TRUE(server->registerObject("/org/freedesktop/Notifications", &service,
                                           QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(server->registerService("org.freedesktop.Notifications"));
    }

    QProcess daemon;
    std::unique_ptr<QDBusConnection> server, client;
    NotificationService service;
};

} // namespace

TEST_F(PrivateBus, BalloonIsADesktopNotificationWithdrawnAtTheEndOfTheDisplay) {
    registerservice();
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

#include "notifications_test.moc"
