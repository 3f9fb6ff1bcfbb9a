#include "linuxplatform/desktopnotifications.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

#include <utility>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
constexpr int kAskMsecs = 1000;
// A service the bus starts for the call may take a while to answer its first one.
constexpr int kStartMsecs = 15000;

QDBusMessage call(const QString& method) {
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}
} // namespace

DesktopNotifications::DesktopNotifications(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {}

bool DesktopNotifications::available() const {
    if (!bus_.isConnected()) return false;
    QDBusConnectionInterface* names = bus_.interface();
    return names && names->isServiceRegistered(kService).value();
}

void DesktopNotifications::notify(const QString& title, const QString& text, int msecs) {
    if (!bus_.isConnected()) {
        emit unreachable(title, text, msecs);
        return;
    }
    ++waiting_;
    withdrawlate_ = false;
    if (markup_ >= 0) {
        send(title, text, msecs);
        return;
    }
    // Asked until answered, and never waited for: the tick goes on while the service
    // answers or the bus starts it.
    auto* asking = new QDBusPendingCallWatcher(
        bus_.asyncCall(call(QStringLiteral("GetCapabilities")), kStartMsecs), this);
    connect(asking, &QDBusPendingCallWatcher::finished, this,
            [this, title, text, msecs](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                const QDBusPendingReply<QStringList> reply = *w;
                if (!reply.isError())
                    markup_ = reply.value().contains(QStringLiteral("body-markup"));
                send(title, text, msecs);
            });
}

void DesktopNotifications::send(const QString& title, const QString& text, int msecs) {
    // Where the service reads markup, the user's text must stay text.
    const QString body = markup_ > 0 ? text.toHtmlEscaped() : text;
    QDBusMessage m = call(QStringLiteral("Notify"));
    m << QStringLiteral("Chimelet") << shown_ << QStringLiteral("dialog-information") << title
      << body << QStringList() << QVariantMap() << msecs;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(m, kStartMsecs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, title, text, msecs](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                const QDBusPendingReply<uint> reply = *w;
                --waiting_;
                // Answers come in the order asked: the last one names what is on screen.
                if (!reply.isError()) shown_ = reply.value();
                const bool late = withdrawlate_;
                if (waiting_ == 0 && withdrawlate_) closeshown();
                // Nothing to show it: the caller's own way, unless already withdrawn.
                if (reply.isError() && !late) emit unreachable(title, text, msecs);
            });
}

void DesktopNotifications::withdraw() {
    if (waiting_ > 0) {
        withdrawlate_ = true;
        return;
    }
    closeshown();
}

void DesktopNotifications::closeshown() {
    withdrawlate_ = false;
    if (shown_ == 0) return;
    QDBusMessage m = call(QStringLiteral("CloseNotification"));
    m << shown_;
    bus_.asyncCall(m, kAskMsecs);
    shown_ = 0;
}
