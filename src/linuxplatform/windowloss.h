#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <xcb/xcb.h>

class QWidget;

// Any X client may destroy a program's window (xdotool windowclose does), and Qt goes on
// believing it is there, so nothing would ever show it again. Once the X window of
// `window` is gone, Qt's window is dropped with it: the widget is hidden and its next
// show makes a new one. The errors Qt's clean-up of the gone window draws are its own
// aftermath and are kept off stderr. Does nothing off X11.
class X11WindowLossWatch : public QObject, public QAbstractNativeEventFilter {
public:
    explicit X11WindowLossWatch(QWidget* window);
    ~X11WindowLossWatch() override;
    X11WindowLossWatch(const X11WindowLossWatch&) = delete;
    X11WindowLossWatch& operator=(const X11WindowLossWatch&) = delete;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

private:
    void drop();

    QWidget* window_;
    xcb_window_t gone_ = XCB_WINDOW_NONE;
};
