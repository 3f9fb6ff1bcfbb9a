#include "linuxplatform/desktopwindow.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

void X11WindowOpacity::apply(QWidget* window, qreal level) {
    window->setWindowOpacity(level);
    // Other platforms (offscreen among them) may answer without a connection.
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && x11->connection()) xcb_flush(x11->connection());
}
