#include "desktopframe.h"
#include "present/fsimage.h"

#include <QDialog>
#include <QGuiApplication>
#include <QTimer>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {
// Where the X server stacks the window that holds `w` (its frame, where a window manager
// gave it one) among the root's children, lowest first; -1 when it does not.
int xstackplace(const QWidget* w) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return -1;
    xcb_window_t id = xcb_window_t(w->winId()), root = XCB_NONE;
    for (int depth = 0; depth < 16; ++depth) {
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, id), nullptr);
        if (!tree) return -1;
        const xcb_window_t parent = tree->parent;
        root = tree->root;
        std::free(tree);
        if (parent == root) break;
        id = parent;
    }
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr);
    if (!tree) return -1;
    const xcb_window_t* children = xcb_query_tree_children(tree);
    int place = -1;
    for (int i = 0; i < xcb_query_tree_children_length(tree); ++i)
        if (children[i] == id) place = i;
    std::free(tree);
    return place;
}
} // namespace

// A full-screen picture is up when an error box opens: the box is seen above it.
TEST_F(DesktopFrame, ABoxOpensAboveAFullScreenPicture) {
    TForm3* picture = frame->form3();
    QImage red(64, 64, QImage::Format_RGB32);
    red.fill(Qt::red);
    picture->setpicture(red);
    picture->starttheshow(false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(picture));
    bool boxed = false, above = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box) return;
        boxed = true;
        above = QTest::qWaitFor(
            [&] {
                const int place = xstackplace(box);
                return place >= 0 && place > xstackplace(picture);
            },
            10000);
        box->reject();
    });
    frame->globals().reporter.report("The picture cannot be read.");
    EXPECT_TRUE(boxed);
    EXPECT_TRUE(above) << "the box stayed under the picture";
    picture->hide();
}
