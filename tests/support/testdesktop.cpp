#include "support/testdesktop.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {
bool waituntil(const std::function<bool()>& cond, int msecs) {
    QDeadlineTimer deadline(msecs);
    while (!cond()) {
        if (deadline.hasExpired()) return false;
        QThread::msleep(20);
    }
    return true;
}
} // namespace

TestDesktop::TestDesktop() {
    if (x_.display().isEmpty()) return;
    qputenv("DISPLAY", x_.display().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
    // No status-notifier host: the tray icon docks in trayer through XEmbed.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    wm_.start("openbox", {});
    if (!wm_.waitForStarted(5000)) return;
    // A window mapped before the manager has taken the screen is never managed.
    if (!waituntil(
            [] {
                return run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
            },
            5000))
        return;
    tray_.start("trayer", {"--edge", "top", "--align", "right", "--widthtype", "request",
                           "--height", "24", "--SetDockType", "true"});
    if (!tray_.waitForStarted(5000)) return;
    ready_ = waituntil(
        [] {
            return !run("xdotool", {"search", "--class", "trayer"}).isEmpty();
        },
        5000);
}

TestDesktop::~TestDesktop() {
    for (QProcess* p : {&tray_, &wm_}) {
        if (p->state() == QProcess::NotRunning) continue;
        p->kill();
        p->waitForFinished(3000);
    }
}

QString TestDesktop::run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(5000);
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

QList<quint64> TestDesktop::stacking() {
    const QString line = run("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"});
    QList<quint64> ids;
    for (const QString& part : line.section('#', 1).split(',', Qt::SkipEmptyParts))
        ids << part.trimmed().toULongLong(nullptr, 16);
    return ids;
}
