#include "linuxplatform/tray.h"

#include "linuxplatform/desktopnotifications.h"
#include "linuxplatform/trayhostwatch.h"

#include <QApplication>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QIcon>
#include <QSystemTrayIcon>
#include <QTimer>

namespace {
// Qt follows the tray host on a connection of its own; its view is asked once it has
// caught up with the news.
constexpr int kHostSettleMsecs = 250;
const QString kStatusNotifierWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");

// Off X11 Qt's icon uses a status-notifier host only if one ran when it was made, and
// otherwise falls back to the X11 tray, which complains on stderr there.
bool iconwaitsforhost() {
    return QGuiApplication::platformName() != QLatin1String("xcb");
}
} // namespace

SystemTrayIcon::SystemTrayIcon(QDBusConnection bus, QObject* parent)
    : notifications_(new DesktopNotifications(bus)), settle_(new QTimer(this)),
      host_(QSystemTrayIcon::isSystemTrayAvailable()) {
    setParent(parent);
    notifications_->setParent(this);
    connect(notifications_, &DesktopNotifications::unreachable, this,
            [this](const QString& title, const QString& text, int msecs) {
                QSystemTrayIcon* shown = icon();
                if (!shown) return;
                ownballoon_ = true;
                shown->showMessage(title, text, QSystemTrayIcon::Information, msecs);
            });
    // Told when a host comes or goes, never polled: an idle program wakes for nothing.
    settle_->setSingleShot(true);
    settle_->setInterval(kHostSettleMsecs);
    connect(settle_, &QTimer::timeout, this, &SystemTrayIcon::checkhost);
    const auto news = [this] { settle_->start(); };
    connect(new TrayHostWatch({}, this), &TrayHostWatch::changed, this, news);
    auto* watcher = new QDBusServiceWatcher(kStatusNotifierWatcher, bus,
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, news);
    bus.connect(kStatusNotifierWatcher, QStringLiteral("/StatusNotifierWatcher"),
                kStatusNotifierWatcher, QStringLiteral("StatusNotifierHostRegistered"), settle_,
                SLOT(start()));
}

QSystemTrayIcon* SystemTrayIcon::icon() {
    if (icon_ || (!host_ && iconwaitsforhost())) return icon_;
    icon_ = new QSystemTrayIcon(QApplication::windowIcon(), this);
    icon_->setToolTip(QStringLiteral("Chimelet"));
    if (menu_) icon_->setContextMenu(menu_);
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger) emit clicked();
        if (r == QSystemTrayIcon::DoubleClick) emit doubleClicked();
    });
    return icon_;
}

void SystemTrayIcon::checkhost() {
    const bool now = QSystemTrayIcon::isSystemTrayAvailable();
    if (now == host_) return;
    // Qt docks a shown icon in a host that comes later by itself, once the icon is made.
    host_ = now;
    if (wanted_ && !icon_) show();
    emit hostChanged(host_);
}

void SystemTrayIcon::show() {
    wanted_ = true;
    QSystemTrayIcon* shown = icon();
    if (!shown) return;
    shown->setIcon(QApplication::windowIcon());
    shown->show();
}
void SystemTrayIcon::hide() {
    wanted_ = false;
    if (icon_) icon_->hide();
}
bool SystemTrayIcon::isVisible() const {
    return icon_ && icon_->isVisible();
}
void SystemTrayIcon::setmenu(QMenu* menu) {
    menu_ = menu;
    if (icon_) icon_->setContextMenu(menu);
}

void SystemTrayIcon::popballoon(const QString& title, const QString& text, int msecs) {
    // Called even when the service is not running: the bus starts one that is installed.
    notifications_->notify(title, text, msecs);
}

void SystemTrayIcon::withdrawballoon() {
    notifications_->withdraw();
    if (!ownballoon_) return;
    ownballoon_ = false;
    // An empty message replaces the icon's own balloon with nothing. Where the icon's
    // balloons are themselves notifications it would be a blank one: the service that
    // would draw it did not answer, and must not have come meanwhile.
    if (isVisible() && !notifications_->available())
        icon_->showMessage(QString(), QString(), QSystemTrayIcon::NoIcon, 1);
}
