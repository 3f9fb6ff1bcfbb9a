#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

// The desktop's notification service (org.freedesktop.Notifications) on a D-Bus
// session bus: one notification at a time, replaced by the next and withdrawn on request.
class DesktopNotifications : public QObject {
    Q_OBJECT
public:
    explicit DesktopNotifications(QDBusConnection bus = QDBusConnection::sessionBus(),
                                  QObject* parent = nullptr);

    // Whether a notification service runs on the bus now.
    bool available() const;
    void notify(const QString& title, const QString& text, int msecs);
    void withdraw();

private:
    void send(const QString& title, const QString& text, int msecs);
    void closeshown();

    QDBusConnection bus_;
    uint shown_ = 0;            // the service's id of our notification on screen, 0 for none
    int waiting_ = 0;           // Notify calls whose id has not come back yet
    bool withdrawlate_ = false; // withdrawn before the ids came back
    int markup_ = -1;           // whether the service reads markup in the body; -1 not asked
};
