#pragma once

#include <QByteArray>

// What the session offers when the program starts.
struct SessionOffer {
    QByteArray chosen;         // QT_QPA_PLATFORM: the user's own choice, if any
    QByteArray x11display;     // DISPLAY
    QByteArray waylanddisplay; // WAYLAND_DISPLAY
    QByteArray sessiontype;    // XDG_SESSION_TYPE
};

// The windowing platform to ask Qt for, empty for Qt's own choice. Overlays need
// placement, stacking and opacity that Wayland keeps from applications, so a Wayland
// session that also runs X11 is used through X11, unless the user chose a platform;
// where X11 cannot be opened, Wayland.
QByteArray windowplatform(const SessionOffer& offer);

// Applies that choice to this process; call before the application object exists.
void choosewindowplatform();
