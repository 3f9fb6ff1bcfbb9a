#include "linuxplatform/sleepwatch.h"

LogindSleepWatch::LogindSleepWatch(QDBusConnection bus, QObject* parent) : SleepWatch(parent) {
    if (!bus.isConnected()) return;
    listening_ = bus.connect(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
        SLOT(preparingForSleep(bool)));
}

void LogindSleepWatch::preparingForSleep(bool sleeping) {
    // True as the machine goes to sleep, false once it is back.
    if (!sleeping) emit woke();
}
