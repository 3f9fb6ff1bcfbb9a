#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QMap>
#include <QMutex>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <QVariantMap>

// A D-Bus session bus of a test's own (dbus-daemon), so no desktop's service is touched.
// Services installed into it are started by the bus on their first call. address() is
// empty when no bus could be started.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    QString address() const { return address_; }
    // A connection of the test's own, named `name`.
    QDBusConnection connect(const QString& name);
    // Installs a service the bus starts by running `command` (a shell command line).
    void install(const QString& service, const QString& command);
    // Sets variables of the environment the services it starts get; false on failure.
    bool setactivationenvironment(const QMap<QString, QString>& variables);
    QString folder() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QProcess daemon_;
    QString address_;
    QStringList names_;
};

// The desktop's notification service as a test plays it: records what it is asked.
class NotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList calls;
    uint last = 0;
    // Registers the service on `bus`; false when the name is taken.
    bool serve(QDBusConnection& bus);

public slots:
    QStringList GetCapabilities() { return {"body", "body-markup"}; }
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap&, int timeout);
    void CloseNotification(uint id) { calls << "Close|" + QString::number(id); }
};

// A panel's status-notifier watcher as a test plays it, with a host that shows items. It
// answers on a thread of its own, as a panel in a process of its own would, so the
// program's blocking questions to it get their answer.
class StatusNotifierWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ host)
public:
    StatusNotifierWatcher();
    ~StatusNotifierWatcher() override;
    // Serves the watcher on `bus` under its well-known name; false when that is taken.
    bool serve(QDBusConnection& bus);
    QStringList registered() const;
    bool host() const { return true; }

public slots:
    void RegisterStatusNotifierItem(const QString& service);

private:
    QThread* thread_;
    mutable QMutex mutex_;
    QStringList registered_;
};

// A notification service that takes the name and never answers, as a hung one does.
class SilentNotificationService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    int calls = 0;
    bool serve(QDBusConnection& bus);

public slots:
    QStringList GetCapabilities();
    uint Notify(const QString&, uint, const QString&, const QString&, const QString&,
                const QStringList&, const QVariantMap&, int);
};
