#include "support/privatebus.h"

#include "support/tempfolder.h"

#include <QDBusMessage>
#include <QDBusMetaType>
#include <QTest>

PrivateBus::PrivateBus() {
    const QString config = dir_.filePath("bus.conf");
    writebytes(config, QStringLiteral(R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=%1</listen>
  <servicedir>%1</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)")
                           .arg(dir_.path())
                           .toUtf8());
    daemon_.start("dbus-daemon", {"--config-file=" + config, "--nofork", "--print-address=1"});
    if (!daemon_.waitForStarted(5000)) return;
    if (!QTest::qWaitFor([this] { return daemon_.canReadLine(); }, 5000)) return;
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
}

PrivateBus::~PrivateBus() {
    for (const QString& name : names_)
        QDBusConnection::disconnectFromBus(name);
    if (daemon_.state() == QProcess::NotRunning) return;
    daemon_.kill();
    daemon_.waitForFinished(3000);
}

QDBusConnection PrivateBus::connect(const QString& name) {
    names_ << name;
    return QDBusConnection::connectToBus(address_, name);
}

void PrivateBus::install(const QString& service, const QString& command) {
    writebytes(dir_.filePath(service + ".service"),
               QStringLiteral("[D-BUS Service]\nName=%1\nExec=/bin/sh -c '%2'\n")
                   .arg(service, command)
                   .toUtf8());
}

bool PrivateBus::setactivationenvironment(const QMap<QString, QString>& variables) {
    qDBusRegisterMetaType<QMap<QString, QString>>();
    QDBusConnection bus = connect(QStringLiteral("activation-environment"));
    QDBusMessage call =
        QDBusMessage::createMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                       "org.freedesktop.DBus", "UpdateActivationEnvironment");
    call << QVariant::fromValue(variables);
    return bus.call(call).type() == QDBusMessage::ReplyMessage;
}

bool NotificationService::serve(QDBusConnection& bus) {
    return bus.registerObject("/org/freedesktop/Notifications", this,
                              QDBusConnection::ExportAllSlots) &&
           bus.registerService("org.freedesktop.Notifications");
}

uint NotificationService::Notify(const QString& app, uint replaces, const QString& icon,
                                 const QString& summary, const QString& body, const QStringList&,
                                 const QVariantMap&, int timeout) {
    calls << QStringList{"Notify", app,  QString::number(replaces), icon,
                         summary,  body, QString::number(timeout)}
                 .join('|');
    return last = 40 + uint(calls.size());
}

StatusNotifierWatcher::StatusNotifierWatcher() : thread_(new QThread) {
    thread_->start();
    moveToThread(thread_);
}

StatusNotifierWatcher::~StatusNotifierWatcher() {
    thread_->quit();
    thread_->wait();
    delete thread_;
}

bool StatusNotifierWatcher::serve(QDBusConnection& bus) {
    return bus.registerObject("/StatusNotifierWatcher", this,
                              QDBusConnection::ExportAllSlots |
                                  QDBusConnection::ExportAllProperties) &&
           bus.registerService("org.kde.StatusNotifierWatcher");
}

QStringList StatusNotifierWatcher::registered() const {
    const QMutexLocker lock(&mutex_);
    return registered_;
}

void StatusNotifierWatcher::RegisterStatusNotifierItem(const QString& service) {
    const QMutexLocker lock(&mutex_);
    registered_ << service;
}

bool SilentNotificationService::serve(QDBusConnection& bus) {
    return bus.registerObject("/org/freedesktop/Notifications", this,
                              QDBusConnection::ExportAllSlots) &&
           bus.registerService("org.freedesktop.Notifications");
}

QStringList SilentNotificationService::GetCapabilities() {
    ++calls;
    setDelayedReply(true);
    return {};
}

uint SilentNotificationService::Notify(const QString&, uint, const QString&, const QString&,
                                       const QString&, const QStringList&, const QVariantMap&,
                                       int) {
    ++calls;
    setDelayedReply(true);
    return 0;
}
