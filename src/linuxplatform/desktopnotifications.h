#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

// The desktop's notification service (org.freedesktop.Notifications) on a D-Bus
// session bus: one notification at a time, replaced by the next and withdrawn on request.
// A service that is installed but not running is started by the bus on the first call.
class DesktopNotifications : public QObject {
    Q_OBJECT
public:
    explicit DesktopNotifications(QDBusConnection bus = QDBusConnection::sessionBus(),
                                  QObject* parent = nullptr);

    // Whether a notification service runs on the bus now.
    bool available() const;
    // Says `unreachable` with the same arguments when no service runs or can be started.
    void notify(const QString& title, const QString& text, int msecs);
    void withdraw();

signals:
    void unreachable(const QString& title, const QString& text, int msecs);

private:
    void send(const QString& title, const QString& text, int msecs);
    void closeshown();

    QDBusConnection bus_;
    uint shown_ = 0;            // the service's id of our notification on screen, 0 for none
    int waiting_ = 0;           // Notify calls whose id has not come back yet
    bool withdrawlate_ = false; // withdrawn before the ids came back
    int markup_ = -1;           // whether the service reads markup in the body; -1 not known
};
