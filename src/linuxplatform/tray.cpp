#include "linuxplatform/tray.h"

#include "linuxplatform/desktopnotifications.h"

#include <QApplication>
#include <QIcon>
#include <QSystemTrayIcon>
#include <QTimer>

namespace {
// No desktop says when its tray host comes or goes; asking is one round trip.
constexpr int kHostCheckMsecs = 2000;
} // namespace

SystemTrayIcon::SystemTrayIcon(QDBusConnection bus, QObject* parent)
    : icon_(new QSystemTrayIcon(this)), notifications_(new DesktopNotifications(bus)),
      watch_(new QTimer(this)), host_(QSystemTrayIcon::isSystemTrayAvailable()) {
    setParent(parent);
    notifications_->setParent(this);
    icon_->setIcon(QApplication::windowIcon());
    icon_->setToolTip(QStringLiteral("Chimelet"));
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger) emit clicked();
        if (r == QSystemTrayIcon::DoubleClick) emit doubleClicked();
    });
    connect(watch_, &QTimer::timeout, this, &SystemTrayIcon::checkhost);
    watch_->start(kHostCheckMsecs);
}

void SystemTrayIcon::checkhost() {
    const bool now = QSystemTrayIcon::isSystemTrayAvailable();
    if (now == host_) return;
    // Qt docks a shown icon in a host that comes later by itself.
    host_ = now;
    emit hostChanged(host_);
}

void SystemTrayIcon::show() {
    icon_->setIcon(QApplication::windowIcon());
    icon_->show();
}
void SystemTrayIcon::hide() {
    icon_->hide();
}
bool SystemTrayIcon::isVisible() const {
    return icon_->isVisible();
}
void SystemTrayIcon::setmenu(QMenu* menu) {
    icon_->setContextMenu(menu);
}

void SystemTrayIcon::popballoon(const QString& title, const QString& text, int msecs) {
    if (notifications_->available()) {
        notifications_->notify(title, text, msecs);
        return;
    }
    icon_->showMessage(title, text, QSystemTrayIcon::Information, msecs);
}

void SystemTrayIcon::withdrawballoon() {
    notifications_->withdraw();
    // An empty message replaces a balloon still on screen with nothing.
    if (icon_->isVisible()) icon_->showMessage(QString(), QString(), QSystemTrayIcon::NoIcon, 1);
}
