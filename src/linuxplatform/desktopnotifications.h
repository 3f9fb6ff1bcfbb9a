#pragma once

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

// The desktop's notification service (org.freedesktop.Notifications) on a D-Bus
// session bus: one notification at a time, replaced by the next and withdrawn on request.
// A service that is installed but not running is started by the bus on the first call.
// A balloon shows at its firing: a service that has not answered within about a second
// is given up for that balloon, and remembered as dead for a while.
class DesktopNotifications : public QObject {
    Q_OBJECT
public:
    explicit DesktopNotifications(QDBusConnection bus = QDBusConnection::sessionBus(),
                                  QObject* parent = nullptr);

    // Whether a notification service runs on the bus now and answers.
    bool available() const;
    // Says `unreachable`, with what is left of `msecs`, when no service runs, none can be
    // started, or the service does not answer in time; nothing once the time is over.
    void notify(const QString& title, const QString& text, int msecs);
    void withdraw();

    // How long a service may take to answer before the balloon is shown another way.
    static constexpr int kAnswerMsecs = 1000;
    // How long a service that did not answer is left alone.
    static constexpr int kDeadMsecs = 5 * 60 * 1000;

signals:
    void unreachable(const QString& title, const QString& text, int msecs);

private:
    struct Balloon;
    void send(const std::shared_ptr<Balloon>& b);
    void giveup(const std::shared_ptr<Balloon>& b);
    void answered(const std::shared_ptr<Balloon>& b);
    void close(uint id);
    bool dead() const { return !dead_.hasExpired(); }

    QDBusConnection bus_;
    uint shown_ = 0;  // the service's id of our notification on screen, 0 for none
    int markup_ = -1; // whether the service reads markup in the body; -1 not known
    std::vector<std::shared_ptr<Balloon>> asked_; // sent, not yet answered
    QDeadlineTimer dead_{0}; // the service is left alone until this has expired
};
