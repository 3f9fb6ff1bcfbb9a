#pragma once

#include "platform/tray.h"

#include <QDBusConnection>

class DesktopNotifications;
class QSystemTrayIcon;
class StatusNotifierItem;
class QTimer;

// The program's own status-notifier item where a status-notifier watcher runs (it answers
// a panel's ContextMenu), else QSystemTrayIcon (the XEmbed tray). Balloons go to the desktop's
// notification service where one runs or can be started, so they show also without a tray host;
// else they are the icon's own.
class SystemTrayIcon : public TrayIcon {
    Q_OBJECT
public:
    // Balloons go to the notification service on `bus`.
    explicit SystemTrayIcon(QDBusConnection bus = QDBusConnection::sessionBus(),
                            QObject* parent = nullptr);
    void show() override;
    void hide() override;
    bool isVisible() const override;
    void setmenu(std::function<QMenu*()> menu) override;
    bool hostavailable() const override { return host_; }

protected:
    void popballoon(const QString& title, const QString& text, int msecs) override;
    void withdrawballoon() override;

private:
    void checkhost();
    // The icon, made at first need where it can be shown; null until then, and where a
    // status-notifier watcher runs.
    QSystemTrayIcon* icon();
    // Puts up or takes down what shows the icon, as wanted and as the desktop offers.
    void sync();
    bool watcherhost() const;

    QDBusConnection bus_;
    QSystemTrayIcon* icon_ = nullptr;
    StatusNotifierItem* item_ = nullptr;
    bool watcher_ = false; // a status-notifier watcher runs on the bus
    std::function<QMenu*()> menu_;
    bool wanted_ = false; // shown by the program, though perhaps not made yet
    DesktopNotifications* notifications_;
    QTimer* settle_;
    bool host_;
    bool ownballoon_ = false; // the balloon on screen is the icon's own
};
