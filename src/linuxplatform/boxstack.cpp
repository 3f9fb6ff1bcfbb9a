#include "linuxplatform/boxstack.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {
xcb_connection_t* x11connection() {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// The child of the root window that holds `w`: the frame a window manager put around it.
xcb_window_t toplevelof(xcb_connection_t* c, xcb_window_t w) {
    for (int depth = 0; depth < 16; ++depth) {
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr);
        if (!tree) return XCB_NONE;
        const xcb_window_t parent = tree->parent, root = tree->root;
        std::free(tree);
        if (parent == root || parent == XCB_NONE) return w;
        w = parent;
    }
    return XCB_NONE;
}

void stackbelow(QWidget& box) {
    xcb_connection_t* c = x11connection();
    if (!c) return;
    const xcb_window_t frame = toplevelof(c, xcb_window_t(box.winId()));
    if (frame == XCB_NONE) return;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == &box || !w->isVisible() ||
            !w->windowFlags().testFlag(Qt::X11BypassWindowManagerHint))
            continue;
        const uint32_t values[] = {frame, XCB_STACK_MODE_BELOW};
        xcb_configure_window(c, xcb_window_t(w->winId()),
                             XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE, values);
    }
    xcb_flush(c);
}

// Acts once the box is on the screen: only then has the window manager framed it.
class AboveOverlays : public QObject {
public:
    explicit AboveOverlays(QWidget& box) : QObject(&box), box_(box) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Expose && box_.isVisible()) stackbelow(box_);
        return false;
    }

private:
    QWidget& box_;
};
} // namespace

void stackaboveoverlays(QWidget& box) {
    if (!x11connection()) return;
    box.winId();
    box.windowHandle()->installEventFilter(new AboveOverlays(box));
}
