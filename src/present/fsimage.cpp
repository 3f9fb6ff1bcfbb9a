#include "present/fsimage.h"

#include <QGuiApplication>
#include <QScreen>

TForm3::TForm3(QWidget* parent)
    : ImageOverlay(kFullScreenFade, PictureBox::Layout::Stretch, parent) {}

void TForm3::starttheshow(bool fade) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->geometry());
    // Where the compositor places every window, only the full-screen state puts one
    // over its panels.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        setWindowState(windowState() | Qt::WindowFullScreen);
    beginshow(fade);
}
