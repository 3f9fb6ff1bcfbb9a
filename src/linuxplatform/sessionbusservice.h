#pragma once

#include "platform/remotecommand.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
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
    // Tells the bus that the Notification with an id, in a row (from 1), fired.
    void tellfired(int id, int row, const QString& text);
    // Show, for a caller that may hold the token of the user's action ("activation-token"
    // in `platformdata`, as org.freedesktop.Application's Activate passes it).
    void activate(const QVariantMap& platformdata);
    // Opens the first of `uris` (file: URIs) as Open does, for org.freedesktop.Application;
    // a failure is the call's D-Bus error.
    void openuris(const QStringList& uris, const QVariantMap& platformdata,
                  const QDBusMessage& call);

public slots:
    // The interface's methods, named as D-Bus names them.
    Q_SCRIPTABLE void Open(const QString& path);
    // The new Notification's id.
    Q_SCRIPTABLE int Add(const QString& text, const QString& in, const QString& at, bool repeat);
    // The columns of the command line's --list, as texts.
    Q_SCRIPTABLE QList<QStringList> List();
    // A Notification by its row ("3") or its id ("@12").
    Q_SCRIPTABLE void Start(const QString& which);
    Q_SCRIPTABLE void Stop(const QString& which);
    Q_SCRIPTABLE void Delete(const QString& which);
    Q_SCRIPTABLE void StartAll();
    Q_SCRIPTABLE void StopAll();
    Q_SCRIPTABLE void Save();
    Q_SCRIPTABLE void SaveAs(const QString& path);
    Q_SCRIPTABLE void Show();
    Q_SCRIPTABLE void Quit();

signals:
    // Declared for the interface's description only: `tellfired` sends it under the
    // application id, where Qt would send an emitted signal under the class's name.
    Q_SCRIPTABLE void Fired(int id, int row, const QString& text);

private:
    // Runs a command as the caller's; its lines when it succeeded.
    QStringList run(const char* verb, const QStringList& args = {});
    // Answers `call` with a reply: a D-Bus error when it failed. What follows the reply
    // waits until it has gone out.
    void answer(const QDBusMessage& call, const RemoteReply& reply);

    QString appid_;
    RemoteHandler handler_;
    QDBusConnection bus_;
};

// org.freedesktop.Application on the service's object: how launchers and desktops bring
// a program forward over the bus (Activate, with the token of the user's action) and hand
// it a list (Open, file: URIs). ActivateAction is not offered.
class ApplicationActivation : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    explicit ApplicationActivation(SessionBusService* service)
        : QDBusAbstractAdaptor(service), service_(service) {}

public slots:
    void Activate(const QVariantMap& platformdata) { service_->activate(platformdata); }
    void Open(const QStringList& uris, const QVariantMap& platformdata, const QDBusMessage& call) {
        service_->openuris(uris, platformdata, call);
    }

private:
    SessionBusService* service_;
};
