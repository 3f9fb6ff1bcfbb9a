#pragma once

#include "programrun.h"
#include "support/privatexserver.h"

#include <QProcess>
#include <QStringList>

// A desktop of a test's own: an X server, optionally a window manager, no tray host and
// no session bus. Windows are looked at with the tools a user has (xdotool, xprop,
// xwininfo); what those cannot send is sent with Xlib (xdesktop.cpp).
class XDesktop : public ProgramRun {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts openbox and waits until it has taken the screen.
    void startwindowmanager();
    QString run(const QString& program, const QStringList& args);
    // The first window named exactly `name`, "" while there is none.
    QString windownamed(const QString& name);
    // The state the window manager keeps for the window ("Normal", "Iconic"), "" for none.
    QString wmstate(const QString& id);
    // Asks the window to close as a window manager's close button does (WM_DELETE_WINDOW).
    bool askclose(const QString& id);

    PrivateXServer x{QStringLiteral("1024x768x24")};
    QProcess wm;
};
