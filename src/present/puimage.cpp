#include "present/puimage.h"

#include "present/picturebox.h"

#include <QGuiApplication>
#include <QScreen>

TForm4::TForm4(QWidget* parent)
    : OverlayWindow(kSmallImageFade, QColor(128, 128, 128), parent),
      Image1(new PictureBox(PictureBox::Layout::Fit, keycolor(), this)) {
    setFixedSize(kWidth, kHeight);
    connect(Image1, &PictureBox::clicked, this, &TForm4::Image1Click);
}

void TForm4::setpicture(const QImage& picture) {
    Image1->setpicture(picture);
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

void TForm4::clearcontent() {
    Image1->clearpicture();
}

QImage TForm4::rendered() {
    return Image1->frame();
}

void TForm4::layoutcontent() {
    Image1->setGeometry(rect());
}
