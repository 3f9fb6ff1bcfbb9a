#include "linuxplatform/tray.h"

#include "linuxplatform/desktopnotifications.h"
#include "linuxplatform/statusnotifieritem.h"
#include "linuxplatform/trayhostwatch.h"

#include <QApplication>
#include <QCursor>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
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

bool watcherruns(const QDBusConnection& bus) {
    const QDBusConnectionInterface* names = bus.interface();
    return names && names->isServiceRegistered(kStatusNotifierWatcher);
}
} // namespace

SystemTrayIcon::SystemTrayIcon(QDBusConnection bus, QObject* parent)
    : bus_(bus), watcher_(watcherruns(bus)), notifications_(new DesktopNotifications(bus)),
      settle_(new QTimer(this)) {
    host_ = watcher_ ? watcherhost() : QSystemTrayIcon::isSystemTrayAvailable();
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
    if (icon_ || watcher_ || (!host_ && iconwaitsforhost())) return icon_;
    icon_ = new QSystemTrayIcon(QApplication::windowIcon(), this);
    icon_->setToolTip(QStringLiteral("Chimelet"));
    // Qt's X11 icon says when its menu is asked for, which is then made and shown at the
    // pointer as Qt would show it; elsewhere Qt's icon must hold the menu itself.
    if (menu_ && iconwaitsforhost()) icon_->setContextMenu(menu_());
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger) emit clicked();
        if (r == QSystemTrayIcon::DoubleClick) emit doubleClicked();
        if (r == QSystemTrayIcon::Context && icon_ && !icon_->contextMenu() && menu_)
            if (QMenu* menu = menu_()) menu->popup(QCursor::pos());
    });
    return icon_;
}

bool SystemTrayIcon::watcherhost() const {
    const QDBusMessage answer =
        bus_.call(QDBusMessage::createMethodCall(
                      kStatusNotifierWatcher, QStringLiteral("/StatusNotifierWatcher"),
                      QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"))
                  << kStatusNotifierWatcher << QStringLiteral("IsStatusNotifierHostRegistered"));
    return answer.type() == QDBusMessage::ReplyMessage && !answer.arguments().isEmpty() &&
           answer.arguments()[0].value<QDBusVariant>().variant().toBool();
}

void SystemTrayIcon::sync() {
    if (watcher_ || !wanted_) {
        delete icon_;
        icon_ = nullptr;
    }
    if (!watcher_ || !wanted_) {
        delete item_;
        item_ = nullptr;
    }
    if (!wanted_) return;
    if (watcher_) {
        if (item_) return;
        item_ = new StatusNotifierItem(bus_, this);
        item_->setmenu(menu_);
        connect(item_, &StatusNotifierItem::activated, this, &TrayIcon::clicked);
        return;
    }
    if (QSystemTrayIcon* shown = icon()) {
        shown->setIcon(QApplication::windowIcon());
        shown->show();
    }
}

void SystemTrayIcon::checkhost() {
    const bool watcher = watcherruns(bus_);
    const bool switched = watcher != watcher_;
    watcher_ = watcher;
    const bool now = watcher_ ? watcherhost() : QSystemTrayIcon::isSystemTrayAvailable();
    const bool changed = now != host_;
    host_ = now;
    // Qt docks a shown icon in a host that comes later by itself, once the icon is made.
    if (switched || (changed && !icon_ && !item_))
        sync();
    else if (item_)
        item_->announce(); // to a watcher that started anew, or a host that came
    if (changed) emit hostChanged(host_);
}

void SystemTrayIcon::show() {
    wanted_ = true;
    sync();
}
void SystemTrayIcon::hide() {
    wanted_ = false;
    sync();
}
bool SystemTrayIcon::isVisible() const {
    return item_ || (icon_ && icon_->isVisible());
}
void SystemTrayIcon::setmenu(std::function<QMenu*()> menu) {
    menu_ = std::move(menu);
    if (icon_ && iconwaitsforhost()) icon_->setContextMenu(menu_ ? menu_() : nullptr);
    if (item_) item_->setmenu(menu_);
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
