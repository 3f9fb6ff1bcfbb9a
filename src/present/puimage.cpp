#include "present/puimage.h"

#include <QGuiApplication>
#include <QScreen>

TForm4::TForm4(QWidget* parent) : ImageOverlay(kSmallImageFade, PictureBox::Layout::Fit, parent) {
    setFixedSize(kWidth, kHeight);
}

void TForm4::starttheshow(bool fade) {
    // Centred when first shown; later displays keep the place.
    if (!placed_) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect s = screen->geometry();
            move(s.x() + (s.width() - kWidth) / 2, s.y() + (s.height() - kHeight) / 2);
        }
        placed_ = true;
    }
    beginshow(fade);
}
