#include "present/fsimage.h"

#include <QGuiApplication>
#include <QScreen>

TForm3::TForm3(QWidget* parent)
    : ImageOverlay(kFullScreenFade, PictureBox::Layout::Stretch, parent) {}

void TForm3::starttheshow(bool fade) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->geometry());
    if (coverbyfullscreen_ && coverbyfullscreen_()) {
        // A window the desktop does not manage cannot be full screen. The flags change
        // only while hidden (a change hides the window, which ends its show), and stay.
        if (windowFlags().testFlag(Qt::X11BypassWindowManagerHint) && !isVisible())
            setWindowFlag(Qt::X11BypassWindowManagerHint, false);
        setWindowState(windowState() | Qt::WindowFullScreen);
    }
    beginshow(fade);
}
