#pragma once

#include "support/privatexserver.h"

#include <QProcess>
#include <QString>
#include <QStringList>

// A desktop of the test program's own, made before its application object: a private X
// server, the openbox window manager and a trayer tray host. The program's windows then
// live on it through the xcb platform, as a user's do.
class TestDesktop {
public:
    TestDesktop();
    ~TestDesktop();
    bool ready() const { return ready_; }

    // Runs an X client (xdotool, xprop, wmctrl) on the desktop; its output, trimmed.
    static QString run(const QString& program, const QStringList& args);
    // The window manager's stacking order of its windows, lowest first.
    static QList<quint64> stacking();

private:
    PrivateXServer x_{QStringLiteral("1024x768x24")};
    QProcess wm_, tray_;
    bool ready_ = false;
};
