#include "linuxplatform/windowshape.h"

#include <QGuiApplication>
#include <QRegion>
#include <QWidget>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <vector>

namespace {
xcb_connection_t* x11connection() {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}
} // namespace

bool X11WindowShape::apply(QWidget* window, const QRegion& devicepixels, ShapeUse use) {
    xcb_connection_t* c = x11connection();
    if (!c) return false;
    std::vector<xcb_rectangle_t> rects;
    rects.reserve(std::size_t(devicepixels.rectCount()));
    for (const QRect& r : devicepixels)
        rects.push_back(xcb_rectangle_t{int16_t(r.x()), int16_t(r.y()), uint16_t(r.width()),
                                        uint16_t(r.height())});
    const auto id = xcb_window_t(window->winId());
    const xcb_shape_kind_t set =
        use == ShapeUse::Whole ? XCB_SHAPE_SK_BOUNDING : XCB_SHAPE_SK_INPUT;
    const xcb_shape_kind_t reset =
        use == ShapeUse::Whole ? XCB_SHAPE_SK_INPUT : XCB_SHAPE_SK_BOUNDING;
    xcb_shape_mask(c, XCB_SHAPE_SO_SET, reset, id, 0, 0, XCB_NONE);
    xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, set, XCB_CLIP_ORDERING_UNSORTED, id, 0, 0,
                         uint32_t(rects.size()), rects.data());
    xcb_flush(c);
    return true;
}

bool X11WindowShape::compositing() {
    // Every Wayland compositor blends windows by their alpha.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return true;
    xcb_connection_t* c = x11connection();
    if (!c) return false;
    // The screen number is the part after the dot of the display name.
    const QByteArray display = qgetenv("DISPLAY");
    const int dot = display.lastIndexOf('.');
    const int screen =
        dot > display.lastIndexOf(':') ? std::atoi(display.constData() + dot + 1) : 0;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen);
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, uint16_t(name.size()), name.constData()), nullptr);
    if (!atom) return false;
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom->atom), nullptr);
    const bool running = owner && owner->owner != XCB_NONE;
    std::free(owner);
    std::free(atom);
    return running;
}
