#pragma once

#include "platform/remotecommand.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

// The program on the D-Bus session bus: the name of its application id, and one object
// (the id as a path) with the command line's verbs, answered by the same handler as the
// commands of later starts. A failed command is a D-Bus error with the command's message.
class SessionBusService : public QObject, protected QDBusContext {
    Q_OBJECT
public:
    SessionBusService(const QString& appid, RemoteHandler handler,
                      QDBusConnection bus = QDBusConnection::sessionBus());

    // Takes the name and exports the object; false where no session bus runs or the name
    // is another's.
    bool publish();
    QString objectpath() const;
    // Tells the bus that the Notification in a row (from 1) fired.
    void tellfired(int row, const QString& text);
    // Show, for a caller that may hold the token of the user's action ("activation-token"
    // in `platformdata`, as org.freedesktop.Application's Activate passes it).
    void activate(const QVariantMap& platformdata);

public slots:
    // The interface's methods, named as D-Bus names them.
    Q_SCRIPTABLE void Open(const QString& path);
    Q_SCRIPTABLE int Add(const QString& text, const QString& in, const QString& at, bool repeat);
    Q_SCRIPTABLE QList<QStringList> List();
    Q_SCRIPTABLE void Start(int row);
    Q_SCRIPTABLE void Stop(int row);
    Q_SCRIPTABLE void StartAll();
    Q_SCRIPTABLE void StopAll();
    Q_SCRIPTABLE void Show();
    Q_SCRIPTABLE void Quit();

signals:
    // Declared for the interface's description only: `tellfired` sends it under the
    // application id, where Qt would send an emitted signal under the class's name.
    Q_SCRIPTABLE void Fired(int row, const QString& text);

private:
    // Runs a command as the caller's; its lines when it succeeded.
    QStringList run(const char* verb, const QStringList& args = {});

    QString appid_;
    RemoteHandler handler_;
    QDBusConnection bus_;
};

// org.freedesktop.Application's Activate on the service's object: how launchers and
// desktops bring a program forward over the bus, with the token of the user's action.
// Its other methods are not offered.
class ApplicationActivation : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    explicit ApplicationActivation(SessionBusService* service)
        : QDBusAbstractAdaptor(service), service_(service) {}

public slots:
    void Activate(const QVariantMap& platformdata) { service_->activate(platformdata); }

private:
    SessionBusService* service_;
};
