#include "present/fsimage.h"

#include <QGuiApplication>
#include <QScreen>

TForm3::TForm3(QWidget* parent)
    : ImageOverlay(kFullScreenFade, PictureBox::Layout::Stretch, parent) {}

void TForm3::starttheshow(bool fade) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->geometry());
    beginshow(fade);
}
