#pragma once

#include <QByteArray>

// What the session offers when the program starts.
struct SessionOffer {
    QByteArray argument;       // -platform on Chimelet's command line
    QByteArray own;            // CHIMELET_PLATFORM: a choice made for Chimelet alone
    QByteArray inherited;      // QT_QPA_PLATFORM, often set for every Qt program of a session
    bool x11reachable = false; // DISPLAY names an X server that takes a connection
    QByteArray waylanddisplay; // WAYLAND_DISPLAY
    QByteArray sessiontype;    // XDG_SESSION_TYPE
};

// The windowing platform to ask Qt for, empty to leave the choice as it stands. Overlays
// need placement, stacking and opacity that Wayland keeps from applications, so where an
// X server is reachable it is used, even when the session asks every Qt program for
// Wayland; only a choice made for Chimelet itself forces Wayland. Where X11 refuses the
// connection, Wayland, asked for directly, so Qt does not try X11 and complain.
QByteArray windowplatform(const SessionOffer& offer);

// Applies that choice to this process until the application object exists; the session's
// own value then goes back, so the programs Chimelet starts inherit what the user set.
class WindowPlatformChoice {
public:
    explicit WindowPlatformChoice(const QByteArray& argument);
    // Call once the application object exists.
    void release();

private:
    bool changed_ = false;
    QByteArray inherited_;
};
