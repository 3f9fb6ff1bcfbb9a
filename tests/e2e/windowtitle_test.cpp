#include "support/privatexserver.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

// Last: Xlib's macros would spoil the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {
// The names the desktop shows for the top-level windows of the display.
QStringList windownames(Display* d) {
    QStringList names;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return names;
    const Atom name = XInternAtom(d, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    for (unsigned int i = 0; i < count; ++i) {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(d, children[i], name, 0, 256, False, utf8, &type, &format, &items,
                               &after, &data) == Success &&
            data) {
            names << QString::fromUtf8(reinterpret_cast<char*>(data), int(items));
            XFree(data);
        }
    }
    if (children) XFree(children);
    return names;
}
} // namespace

TEST(ProgramOnX11, TheMainWindowIsTitledExactlyItsCaption) {
    PrivateXServer server(QStringLiteral("1024x768x24"));
    if (server.display().isEmpty()) GTEST_SKIP() << "no Xvfb";
    QTemporaryDir folder, runtime;
    const QString exe = folder.filePath("chimelet");
    ASSERT_TRUE(QFile::copy(qEnvironmentVariable("CHIMELET_BUILD_DIR") + "/chimelet", exe));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM"); // the program's own choice on an X11 desktop
    env.remove("WAYLAND_DISPLAY");
    env.insert("DISPLAY", server.display());
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("HOME", folder.path());
    QProcess program;
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(folder.path());
    program.start(exe, {});
    ASSERT_TRUE(program.waitForStarted(5000));

    const QByteArray name = server.display().toLatin1();
    Display* d = XOpenDisplay(name.constData());
    ASSERT_NE(d, nullptr);
    QStringList names;
    QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired()) {
        names = windownames(d);
        if (names.filter("Chimlet").size() > 0) break;
        QThread::msleep(50);
    }
    XCloseDisplay(d);
    program.kill();
    program.waitForFinished(3000);
    EXPECT_TRUE(names.contains("Chimlet")) << names.join(" | ").toStdString();
    EXPECT_EQ(names.filter("Chimlet").size(), 1) << names.join(" | ").toStdString();
}
