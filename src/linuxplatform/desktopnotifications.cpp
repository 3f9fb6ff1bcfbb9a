#include "linuxplatform/desktopnotifications.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QElapsedTimer>
#include <QTimer>
#include <QVariantMap>

#include <algorithm>
#include <utility>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
// A late answer is still heard, to take back what a slow service shows after all.
constexpr int kLateMsecs = 15000;

QDBusMessage call(const QString& method) {
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}
} // namespace

struct DesktopNotifications::Balloon {
    QString title, text;
    int msecs = 0;
    QElapsedTimer since;
    bool done = false;      // shown the other way, or withdrawn: the service's goes again
    bool withdrawn = false; // the display ended
    bool sent = false;      // Notify asked, replacing `replaced`
    uint replaced = 0;
};

DesktopNotifications::DesktopNotifications(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {
    // A service that comes anew is asked again at once.
    auto* watcher =
        new QDBusServiceWatcher(kService, bus_, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this] { dead_ = QDeadlineTimer(0); });
}

bool DesktopNotifications::available() const {
    if (!bus_.isConnected() || dead()) return false;
    QDBusConnectionInterface* names = bus_.interface();
    return names && names->isServiceRegistered(kService).value();
}

void DesktopNotifications::notify(const QString& title, const QString& text, int msecs) {
    if (!bus_.isConnected() || dead()) {
        emit unreachable(title, text, msecs);
        return;
    }
    auto b = std::make_shared<Balloon>();
    b->title = title;
    b->text = text;
    b->msecs = msecs;
    b->since.start();
    asked_.push_back(b);
    QTimer::singleShot(kAnswerMsecs, this, [this, b] {
        if (b->done || std::find(asked_.begin(), asked_.end(), b) == asked_.end()) return;
        dead_ = QDeadlineTimer(kDeadMsecs);
        giveup(b);
    });
    if (markup_ >= 0) {
        send(b);
        return;
    }
    // Asked until answered, and never waited for: the tick goes on while the service
    // answers or the bus starts it.
    auto* asking = new QDBusPendingCallWatcher(
        bus_.asyncCall(call(QStringLiteral("GetCapabilities")), kLateMsecs), this);
    connect(asking, &QDBusPendingCallWatcher::finished, this,
            [this, b](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                const QDBusPendingReply<QStringList> reply = *w;
                if (!reply.isError()) {
                    markup_ = reply.value().contains(QStringLiteral("body-markup"));
                    dead_ = QDeadlineTimer(0);
                }
                // Given up meanwhile: a late notification would come after its time.
                if (b->done) {
                    answered(b);
                    return;
                }
                send(b);
            });
}

void DesktopNotifications::send(const std::shared_ptr<Balloon>& b) {
    // Where the service reads markup, the user's text must stay text.
    const QString body = markup_ > 0 ? b->text.toHtmlEscaped() : b->text;
    b->sent = true;
    b->replaced = shown_;
    QDBusMessage m = call(QStringLiteral("Notify"));
    m << QStringLiteral("Chimelet") << shown_ << QStringLiteral("dialog-information") << b->title
      << body << QStringList() << QVariantMap() << b->msecs;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(m, kLateMsecs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, b](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                const QDBusPendingReply<uint> reply = *w;
                answered(b);
                if (reply.isError()) {
                    // Nothing to show it: the caller's own way, unless already done. Withdrawn,
                    // the one it would have replaced goes.
                    if (!b->done)
                        giveup(b);
                    else if (b->withdrawn)
                        close(b->replaced);
                    return;
                }
                dead_ = QDeadlineTimer(0);
                // Shown the other way or withdrawn before the answer came: it goes again.
                if (b->done) {
                    close(reply.value());
                    return;
                }
                // Answers come in the order asked: the last one names what is on screen.
                shown_ = reply.value();
            });
}

void DesktopNotifications::giveup(const std::shared_ptr<Balloon>& b) {
    b->done = true;
    if (b->withdrawn) return;
    const qint64 left = b->msecs - b->since.elapsed();
    if (left > 0) emit unreachable(b->title, b->text, int(left));
}

void DesktopNotifications::answered(const std::shared_ptr<Balloon>& b) {
    std::erase(asked_, b);
}

void DesktopNotifications::withdraw() {
    bool replacing = false;
    for (const auto& b : asked_) {
        b->withdrawn = true;
        b->done = true;
        replacing = replacing || b->sent;
    }
    // One on its way replaces what is on screen: its answer takes it away.
    const uint on = std::exchange(shown_, 0);
    if (!replacing) close(on);
}

void DesktopNotifications::close(uint id) {
    if (id == 0) return;
    QDBusMessage m = call(QStringLiteral("CloseNotification"));
    m << id;
    bus_.asyncCall(m, DesktopNotifications::kAnswerMsecs);
    if (shown_ == id) shown_ = 0;
}
