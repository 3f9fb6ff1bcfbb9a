#include "linuxplatform/sessionplatform.h"

QByteArray windowplatform(const SessionOffer& offer) {
    if (!offer.chosen.isEmpty() || offer.x11display.isEmpty()) return {};
    const bool wayland = !offer.waylanddisplay.isEmpty() || offer.sessiontype == "wayland";
    return wayland ? QByteArray("xcb") : QByteArray();
}

void choosewindowplatform() {
    const QByteArray platform =
        windowplatform(SessionOffer{qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"),
                                    qgetenv("WAYLAND_DISPLAY"), qgetenv("XDG_SESSION_TYPE")});
    if (!platform.isEmpty()) qputenv("QT_QPA_PLATFORM", platform);
}
