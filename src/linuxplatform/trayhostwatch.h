#pragma once

#include <QObject>

#include <xcb/xcb.h>

class QSocketNotifier;

// Says when an X tray host comes or goes: the owner of the screen's `_NET_SYSTEM_TRAY_S<n>`
// selection announces itself to the root window and ends with its window. The watch has an
// X connection of its own, so it selects the events it needs without touching Qt's, and it
// costs nothing while nothing changes.
class TrayHostWatch : public QObject {
    Q_OBJECT
public:
    // `display` empty: the one of the environment. Without an X server it never reports.
    explicit TrayHostWatch(const QByteArray& display = {}, QObject* parent = nullptr);
    ~TrayHostWatch() override;

    bool watching() const { return notifier_ != nullptr; }

signals:
    void changed();

private:
    void readevents();
    void followowner();

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = XCB_WINDOW_NONE;
    xcb_atom_t selection_ = XCB_ATOM_NONE;
    xcb_atom_t manager_ = XCB_ATOM_NONE;
    xcb_window_t owner_ = XCB_WINDOW_NONE;
    QSocketNotifier* notifier_ = nullptr;
};
