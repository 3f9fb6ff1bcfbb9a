#include "linuxplatform/compositorlimits.h"

#include <QByteArray>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

xcb_atom_t atom(xcb_connection_t* c, const QByteArray& name) {
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, name.size(), name.constData()), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// A property of `window` as raw bytes, at most 64 of them; empty when it has none.
QByteArray property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t name) {
    if (name == XCB_ATOM_NONE) return {};
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(
            c, xcb_get_property(c, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 16), nullptr),
        &std::free);
    if (!reply) return {};
    return {static_cast<const char*>(xcb_get_property_value(reply.get())),
            xcb_get_property_value_length(reply.get())};
}

// The name the running X11 window manager gives itself (EWMH's supporting window);
// empty off X11 or where no such manager runs.
QByteArray x11windowmanagername() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return {};
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return {};
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (!screen) return {};
    const QByteArray check = property(c, screen->root, atom(c, "_NET_SUPPORTING_WM_CHECK"));
    if (check.size() != sizeof(xcb_window_t)) return {};
    xcb_window_t wm = XCB_WINDOW_NONE;
    std::memcpy(&wm, check.constData(), sizeof wm);
    return property(c, wm, atom(c, "_NET_WM_NAME"));
}

bool compositorplaceswindows() {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return true;
    return x11windowmanagername() == "Weston WM";
}

} // namespace

bool forwardbyshowinganew() {
    return compositorplaceswindows();
}

bool coverpanelsbyfullscreen() {
    return compositorplaceswindows();
}
