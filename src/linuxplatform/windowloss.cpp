#include "linuxplatform/windowloss.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

X11WindowLossWatch::X11WindowLossWatch(QWidget* window) : window_(window) {
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        QCoreApplication::instance()->installNativeEventFilter(this);
}

X11WindowLossWatch::~X11WindowLossWatch() {
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool X11WindowLossWatch::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const auto kind = event->response_type & 0x7f;
    if (kind == 0) {
        // Unmapping and destroying a window that is gone draws BadWindow, and so may a
        // request Qt had queued for it before it heard.
        const auto* error = static_cast<const xcb_generic_error_t*>(message);
        return gone_ != XCB_WINDOW_NONE && error->resource_id == gone_;
    }
    if (kind != XCB_DESTROY_NOTIFY) return false;
    const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
    if (destroyed->window != window_->internalWinId() || destroyed->window == gone_) return false;
    gone_ = destroyed->window;
    // Not from inside Qt's own event handling.
    QTimer::singleShot(0, this, &X11WindowLossWatch::drop);
    return false;
}

void X11WindowLossWatch::drop() {
    if (QWindow* handle = window_->windowHandle()) handle->destroy();
    window_->hide();
}
