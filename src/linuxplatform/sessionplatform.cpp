#include "linuxplatform/sessionplatform.h"

QByteArray windowplatform(const SessionOffer& offer) {
    if (!offer.chosen.isEmpty() || offer.x11display.isEmpty()) return {};
    // Qt tries the names in turn: an X11 that refuses the connection leaves Wayland.
    if (!offer.waylanddisplay.isEmpty()) return QByteArray("xcb;wayland");
    return offer.sessiontype == "wayland" ? QByteArray("xcb") : QByteArray();
}

void choosewindowplatform() {
    const QByteArray platform =
        windowplatform(SessionOffer{qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"),
                                    qgetenv("WAYLAND_DISPLAY"), qgetenv("XDG_SESSION_TYPE")});
    if (!platform.isEmpty()) qputenv("QT_QPA_PLATFORM", platform);
}
