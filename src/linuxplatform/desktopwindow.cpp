#include "linuxplatform/desktopwindow.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

bool X11WindowOpacity::apply(QWidget* window, qreal level) {
    // Asked anyway, Qt's Wayland platform would complain on every frame of a fade.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return false;
    window->setWindowOpacity(level);
    // Other platforms (offscreen among them) may answer without a connection.
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && x11->connection()) xcb_flush(x11->connection());
    return true;
}
