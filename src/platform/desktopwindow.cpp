#include "platform/desktopwindow.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

void applywindowopacity(QWidget* window, qreal level) {
    window->setWindowOpacity(level);
    if (auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>())
        xcb_flush(x11->connection());
}
