#include "linuxplatform/tray.h"
#include "support/privatebus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

// What swaybar asks of an item: its menu at the pointer, and the clicks.
TEST(StatusNotifier, APanelsWatcherGetsAnItemThatAnswersMenuAndClicks) {
    PrivateBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon is not installed";
    QDBusConnection panel = bus.connect("panel");
    QDBusConnection app = bus.connect("app");
    StatusNotifierWatcher watcher;
    ASSERT_TRUE(watcher.serve(panel));

    SystemTrayIcon tray(app);
    QMenu menu;
    menu.addAction("Exit");
    int made = 0;
    tray.setmenu([&] {
        ++made;
        return &menu;
    });
    tray.show();
    EXPECT_TRUE(tray.hostavailable());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watcher.registered().isEmpty(); }, 5000));
    EXPECT_EQ(watcher.registered(), QStringList{app.baseService()});

    // Asked without a blocking look at the item first: it answers on this same thread.
    const auto item = [&](const char* method, int x, int y) {
        return panel.asyncCall(QDBusMessage::createMethodCall(app.baseService(),
                                                              "/StatusNotifierItem",
                                                              "org.kde.StatusNotifierItem", method)
                               << x << y);
    };
    const auto call = [&](const char* method, int x, int y) {
        QDBusPendingCall pending = item(method, x, y);
        EXPECT_TRUE(QTest::qWaitFor([&] { return pending.isFinished(); }, 5000));
        EXPECT_FALSE(pending.isError()) << method << pending.error().message().toStdString();
    };
    EXPECT_EQ(made, 0);
    call("ContextMenu", 40, 30);
    EXPECT_TRUE(QTest::qWaitFor([&] { return menu.isVisible(); }, 5000));
    menu.hide();
    QSignalSpy clicks(&tray, &TrayIcon::clicked);
    call("Activate", 5, 5);
    call("SecondaryActivate", 5, 5);
    EXPECT_EQ(clicks.count(), 2);

    // The panel goes: the item with it, and no host is left to rely on.
    QSignalSpy hosts(&tray, &TrayIcon::hostChanged);
    panel.unregisterService("org.kde.StatusNotifierWatcher");
    ASSERT_TRUE(QTest::qWaitFor([&] { return hosts.count() == 1; }, 5000));
    EXPECT_FALSE(tray.hostavailable());
    QDBusPendingCall gone = item("Activate", 0, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return gone.isFinished(); }, 5000));
    EXPECT_TRUE(gone.isError()) << "the item is still served";
}
