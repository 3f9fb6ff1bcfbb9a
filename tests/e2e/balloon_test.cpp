#include "support/privatebus.h"
#include "xdesktop.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// A tray host that speaks the status-notifier protocol, as Xfce's, LXQt's and KDE's
// panels do: Qt's tray icon then lives on the session bus.
class TrayHost : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostregistered)
    Q_PROPERTY(int ProtocolVersion READ protocolversion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems MEMBER items)
public:
    QStringList items;
    bool hostregistered() const { return true; }
    int protocolversion() const { return 0; }

public slots:
    void RegisterStatusNotifierItem(const QString& service) { items << service; }
    void RegisterStatusNotifierHost(const QString&) {}
};

class Balloon : public XDesktop {
protected:
    void SetUp() override {
        XDesktop::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon is not installed";
        env.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
        server = std::make_unique<QDBusConnection>(bus.connect("desktop"));
        ASSERT_TRUE(service.serve(*server));
        ASSERT_TRUE(server->registerObject("/StatusNotifierWatcher", &host,
                                           QDBusConnection::ExportAllContents));
        ASSERT_TRUE(server->registerService("org.kde.StatusNotifierWatcher"));
    }
    void TearDown() override {
        XDesktop::TearDown();
        server.reset();
    }

    PrivateBus bus;
    std::unique_ptr<QDBusConnection> server;
    NotificationService service;
    TrayHost host;
};

} // namespace

TEST_F(Balloon, TheEndOfADisplayShowsNoBlankBalloon) {
    openatstart(textrecord(codes::BalloonBubble, 12, 1));
    start(first);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !host.items.isEmpty(); }, 15000))
        << "the tray icon never came to the tray host";
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return service.calls.filter(QStringLiteral("Close|")).size() == 1; }, 15000))
        << service.calls.join('\n').toStdString();
    QTest::qWait(1500);
    const QStringList notes = service.calls.filter(QStringLiteral("Notify|"));
    ASSERT_EQ(notes.size(), 1) << service.calls.join('\n').toStdString();
    EXPECT_TRUE(notes[0].contains("|Tea is ready|")) << notes[0].toStdString();
}

#include "balloon_test.moc"
