#include "linuxplatform/tray.h"

#include <QApplication>
#include <QIcon>
#include <QSystemTrayIcon>

SystemTrayIcon::SystemTrayIcon(QObject* parent) : icon_(new QSystemTrayIcon(this)) {
    setParent(parent);
    icon_->setIcon(QApplication::windowIcon());
    icon_->setToolTip(QStringLiteral("Chimelet"));
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger) emit clicked();
        if (r == QSystemTrayIcon::DoubleClick) emit doubleClicked();
    });
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
    icon_->showMessage(title, text, QSystemTrayIcon::Information, msecs);
}

void SystemTrayIcon::withdrawballoon() {
    // An empty message replaces a balloon still on screen with nothing.
    if (icon_->isVisible()) icon_->showMessage(QString(), QString(), QSystemTrayIcon::NoIcon, 1);
}
