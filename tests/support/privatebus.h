#pragma once

#include <QDBusConnection>
#include <QMap>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
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
