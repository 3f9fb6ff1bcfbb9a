#include "linuxplatform/sessionbusservice.h"

#include "linuxplatform/activationtoken.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QTimer>

SessionBusService::SessionBusService(const QString& appid, RemoteHandler handler,
                                     QDBusConnection bus)
    : appid_(appid), handler_(std::move(handler)), bus_(std::move(bus)) {
    qDBusRegisterMetaType<QList<QStringList>>();
    new ApplicationActivation(this);
}

QString SessionBusService::objectpath() const {
    return QLatin1Char('/') + QString(appid_).replace(u'.', u'/');
}

bool SessionBusService::publish() {
    if (!bus_.isConnected()) return false;
    if (!bus_.registerObject(
            objectpath(), appid_, this,
            QDBusConnection::ExportScriptableSlots | QDBusConnection::ExportScriptableSignals |
                QDBusConnection::ExportScriptableInvokables | QDBusConnection::ExportAdaptors))
        return false;
    const auto owned =
        bus_.interface()->registerService(appid_, QDBusConnectionInterface::DontQueueService,
                                          QDBusConnectionInterface::DontAllowReplacement);
    if (owned.value() != QDBusConnectionInterface::ServiceRegistered) {
        bus_.unregisterObject(objectpath());
        return false;
    }
    return true;
}

void SessionBusService::tellfired(int row, const QString& text) {
    if (!bus_.isConnected()) return;
    QDBusMessage fired = QDBusMessage::createSignal(objectpath(), appid_, QStringLiteral("Fired"));
    fired << row << text;
    bus_.send(fired);
}

QStringList SessionBusService::run(const char* verb, const QStringList& args) {
    RemoteReply reply = handler_({QString::fromLatin1(verb), args});
    if (reply.code != 0)
        sendErrorReply(reply.code == 2 ? QDBusError::InvalidArgs : QDBusError::Failed,
                       reply.message);
    if (reply.then) {
        // What follows the reply (the end of the process, a modal box) waits until the
        // reply has gone out: a blocking call on the same connection comes after it.
        if (reply.code == 0) {
            setDelayedReply(true);
            bus_.send(message().createReply());
        }
        const QDBusConnection bus = bus_;
        QTimer::singleShot(0, this, [bus, then = reply.then] {
            bus.interface()->call(QStringLiteral("GetId"));
            then();
        });
    }
    return reply.lines;
}

void SessionBusService::activate(const QVariantMap& platformdata) {
    // The adaptor's call has no context of this object to answer an error through.
    const LentActivationToken lent(
        platformdata.value(QStringLiteral("activation-token")).toString());
    const RemoteReply reply = handler_({QString::fromLatin1(remoteverbs::Show), {}});
    if (reply.then) QTimer::singleShot(0, this, reply.then);
}

void SessionBusService::Open(const QString& path) {
    run(remoteverbs::Open, {path});
}

int SessionBusService::Add(const QString& text, const QString& in, const QString& at, bool repeat) {
    if (in.isEmpty() == at.isEmpty()) {
        sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("Give either in or at."));
        return 0;
    }
    const QStringList lines =
        run(remoteverbs::Add,
            {text, QString::fromLatin1(in.isEmpty() ? "at" : "in"), in.isEmpty() ? at : in,
             QString::fromLatin1(repeat ? "repeat" : "once")});
    return lines.isEmpty() ? 0 : lines[0].toInt();
}

QList<QStringList> SessionBusService::List() {
    QList<QStringList> rows;
    for (const QString& line : run(remoteverbs::List))
        rows << line.split(u'\t');
    return rows;
}

void SessionBusService::Start(int row) {
    run(remoteverbs::Start, {QString::number(row)});
}
void SessionBusService::Stop(int row) {
    run(remoteverbs::Stop, {QString::number(row)});
}
void SessionBusService::StartAll() {
    run(remoteverbs::StartAll);
}
void SessionBusService::StopAll() {
    run(remoteverbs::StopAll);
}
void SessionBusService::Show() {
    run(remoteverbs::Show);
}
void SessionBusService::Quit() {
    run(remoteverbs::Quit);
}
