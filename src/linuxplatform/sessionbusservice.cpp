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

void SessionBusService::tellfired(int id, int row, const QString& text) {
    if (!bus_.isConnected()) return;
    QDBusMessage fired = QDBusMessage::createSignal(objectpath(), appid_, QStringLiteral("Fired"));
    fired << id << row << text;
    bus_.send(fired);
}

void SessionBusService::answer(const QDBusMessage& call, const RemoteReply& reply) {
    bus_.send(reply.code == 0 ? call.createReply()
                              : call.createErrorReply(reply.code == 2 ? QDBusError::InvalidArgs
                                                                      : QDBusError::Failed,
                                                      reply.message));
    if (!reply.then) return;
    // What follows the reply (the end of the process) waits until the reply has gone out:
    // a blocking call on the same connection comes after it.
    const QDBusConnection bus = bus_;
    QTimer::singleShot(0, this, [bus, then = reply.then] {
        bus.interface()->call(QStringLiteral("GetId"));
        then();
    });
}

QStringList SessionBusService::run(const char* verb, const QStringList& args) {
    RemoteReply reply = handler_({QString::fromLatin1(verb), args});
    if (reply.later) {
        // The answer comes when the command has its outcome; the caller waits for it.
        setDelayedReply(true);
        const QDBusMessage call = message();
        const QDBusConnection bus = bus_;
        reply.later([bus, call](const RemoteReply& later) {
            bus.send(later.code == 0 ? call.createReply()
                                     : call.createErrorReply(QDBusError::Failed, later.message));
            // Out before the program may end.
            bus.interface()->call(QStringLiteral("GetId"));
        });
        return {};
    }
    if (reply.code != 0 || reply.then) {
        setDelayedReply(true);
        answer(message(), reply);
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

void SessionBusService::openuris(const QStringList& uris, const QVariantMap& platformdata,
                                 const QDBusMessage& call) {
    call.setDelayedReply(true);
    if (uris.size() != 1) {
        answer(call, {2, {}, QStringLiteral("Open takes one list."), {}, {}});
        return;
    }
    const LentActivationToken lent(
        platformdata.value(QStringLiteral("activation-token")).toString());
    answer(call, handler_({QString::fromLatin1(remoteverbs::Open), {uris[0]}}));
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
    // The id as the command line prints it, "@12".
    return lines.isEmpty() ? 0 : QString(lines[0]).remove(u'@').toInt();
}

QList<QStringList> SessionBusService::List() {
    QList<QStringList> rows;
    for (const QString& line : run(remoteverbs::List, {QStringLiteral("tsv")}))
        rows << line.split(u'\t');
    return rows;
}

void SessionBusService::Start(const QString& which) {
    run(remoteverbs::Start, {which});
}
void SessionBusService::Stop(const QString& which) {
    run(remoteverbs::Stop, {which});
}
void SessionBusService::Delete(const QString& which) {
    run(remoteverbs::Delete, {which});
}
void SessionBusService::StartAll() {
    run(remoteverbs::StartAll);
}
void SessionBusService::StopAll() {
    run(remoteverbs::StopAll);
}
void SessionBusService::Save() {
    run(remoteverbs::Save);
}
void SessionBusService::SaveAs(const QString& path) {
    run(remoteverbs::SaveAs, {path});
}
void SessionBusService::Show() {
    run(remoteverbs::Show);
}
void SessionBusService::Quit() {
    run(remoteverbs::Quit);
}
