#include "xdesktop.h"

#include <QFile>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

void XDesktop::SetUp() {
    ProgramRun::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_FALSE(x.display().isEmpty()) << "Xvfb is not installed";
    env.insert("DISPLAY", x.display());
    env.remove("QT_QPA_PLATFORM"); // the program's own choice on an X11 desktop
    env.remove("WAYLAND_DISPLAY");
    env.insert("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

void XDesktop::TearDown() {
    ProgramRun::TearDown();
    if (wm.state() == QProcess::NotRunning) return;
    wm.kill();
    wm.waitForFinished(3000);
}

void XDesktop::startwindowmanager() {
    wm.setProcessEnvironment(env);
    wm.start("openbox", {});
    ASSERT_TRUE(wm.waitForStarted(5000)) << "openbox is not installed";
    // A window mapped before the manager has taken the screen is never managed.
    ASSERT_TRUE(waitfor(
        [this] {
            return run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
        },
        5000));
}

QString XDesktop::run(const QString& program, const QStringList& args) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.waitForFinished(5000);
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

QString XDesktop::windownamed(const QString& name) {
    return run("xdotool", {"search", "--name", '^' + name + '$'}).section('\n', 0, 0);
}

QString XDesktop::wmstate(const QString& id) {
    if (id.isEmpty()) return {};
    return run("xprop", {"-id", id, "WM_STATE"}).section("window state: ", 1).section('\n', 0, 0);
}

bool XDesktop::askclose(const QString& id) {
    // A window gone meanwhile is the test's finding, not the end of the test program.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    Display* d = XOpenDisplay(x.display().toLocal8Bit().constData());
    if (!d) return false;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = id.toULong();
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(d, e.xclient.window, False, NoEventMask, &e) != 0;
    XCloseDisplay(d);
    return sent;
}
