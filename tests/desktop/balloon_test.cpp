#include "linuxplatform/tray.h"
#include "support/privatebus.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
// The tray icon's own balloon, drawn by Qt beside the icon in the tray host.
bool ownballoonshown() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qstrcmp(w->metaObject()->className(), "QBalloonTip") == 0 && w->isVisible())
            return true;
    return false;
}
bool docked() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qstrcmp(w->metaObject()->className(), "QSystemTrayIconSys") == 0 && w->isVisible())
            return true;
    return false;
}
} // namespace

// A desktop whose notification service has hung: the balloon still shows at the firing,
// within its display time, in the tray's own way.
TEST(Balloon, ShowsOnTimeWhenTheNotificationServiceNeverAnswers) {
    PrivateBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon is not installed";
    QDBusConnection server = bus.connect("hung");
    SilentNotificationService hung;
    ASSERT_TRUE(hung.serve(server));
    SystemTrayIcon tray(bus.connect("app"));
    tray.show();
    ASSERT_TRUE(QTest::qWaitFor(docked, 5000)) << "no tray host took the icon";

    tray.setballoontext("Tea");
    tray.showballoon();
    EXPECT_TRUE(QTest::qWaitFor(ownballoonshown, 2000)) << "no balloon within 2 s";
    EXPECT_GT(hung.calls, 0) << "the service was not asked first";
    tray.setballoontext("");
    ASSERT_TRUE(QTest::qWaitFor([] { return !ownballoonshown(); }, 3000));

    // Remembered as hung: the next one shows at once, without asking it again.
    const int asked = hung.calls;
    tray.setballoontext("Cake");
    tray.showballoon();
    EXPECT_TRUE(ownballoonshown());
    EXPECT_EQ(hung.calls, asked);
    tray.setballoontext("");
}
