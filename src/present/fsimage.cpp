#include "present/fsimage.h"

#include "present/picturebox.h"

#include <QGuiApplication>
#include <QScreen>

TForm3::TForm3(QWidget* parent)
    : OverlayWindow(kFullScreenFade, QColor(128, 128, 128), parent),
      Image1(new PictureBox(PictureBox::Layout::Stretch, keycolor(), this)) {
    connect(Image1, &PictureBox::clicked, this, &TForm3::Image1Click);
}

void TForm3::setpicture(const QImage& picture) {
    Image1->setpicture(picture);
}

void TForm3::starttheshow(bool fade) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->geometry());
    beginshow(fade);
}

void TForm3::clearcontent() {
    Image1->clearpicture();
}

QImage TForm3::rendered() {
    return Image1->frame();
}

void TForm3::layoutcontent() {
    Image1->setGeometry(rect());
}
