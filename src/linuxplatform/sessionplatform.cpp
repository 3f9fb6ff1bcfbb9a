#include "linuxplatform/sessionplatform.h"

#include <xcb/xcb.h>

namespace {

constexpr const char* kPlatformVariable = "QT_QPA_PLATFORM";

// A list of platform names that asks for Wayland first ("wayland", "wayland;xcb", ...).
bool askswayland(const QByteArray& names) {
    return names.trimmed().startsWith("wayland");
}

bool x11reachable() {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) return false;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reached = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reached;
}

} // namespace

QByteArray windowplatform(const SessionOffer& offer) {
    if (!offer.argument.isEmpty()) return offer.argument;
    if (!offer.own.isEmpty()) return offer.own;
    // Other choices (offscreen, xcb, ...) are not the session's Wayland default.
    if (!offer.inherited.isEmpty() && !askswayland(offer.inherited)) return {};
    if (offer.x11reachable) return QByteArray("xcb");
    if (!offer.waylanddisplay.isEmpty() || offer.sessiontype == "wayland")
        return QByteArray("wayland");
    return {};
}

WindowPlatformChoice::WindowPlatformChoice(const QByteArray& argument)
    : inherited_(qgetenv(kPlatformVariable)) {
    SessionOffer offer{argument, qgetenv("CHIMELET_PLATFORM"), inherited_,
                       false,    qgetenv("WAYLAND_DISPLAY"),   qgetenv("XDG_SESSION_TYPE")};
    // Only a choice still open between X11 and a Wayland on offer is worth a connection to
    // the X server, which costs the start a handshake and the server a client to tear down.
    // Without such an offer Qt's own default is X11 already.
    const bool waylandoffered = askswayland(inherited_) || !offer.waylanddisplay.isEmpty() ||
                                offer.sessiontype == "wayland";
    if (argument.isEmpty() && offer.own.isEmpty() &&
        (inherited_.isEmpty() || askswayland(inherited_)) && waylandoffered)
        offer.x11reachable = x11reachable();
    const QByteArray platform = windowplatform(offer);
    if (platform.isEmpty() || platform == inherited_) return;
    qputenv(kPlatformVariable, platform);
    changed_ = true;
}

void WindowPlatformChoice::release() {
    if (!changed_) return;
    changed_ = false;
    if (inherited_.isEmpty())
        qunsetenv(kPlatformVariable);
    else
        qputenv(kPlatformVariable, inherited_);
}
