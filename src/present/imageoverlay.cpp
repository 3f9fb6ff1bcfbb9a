#include "present/imageoverlay.h"

#include "present/announcement.h"

ImageOverlay::ImageOverlay(FadeConstants fade, PictureBox::Layout layout, QWidget* parent)
    : OverlayWindow(fade, QColor(128, 128, 128), parent),
      Image1(new PictureBox(layout, keycolor(), this)) {
    connect(Image1, &PictureBox::clicked, this, &ImageOverlay::Image1Click);
    Image1->setAccessibleName(QStringLiteral("Picture"));
}

void ImageOverlay::announce(const QString& text, bool speak) {
    setannouncement(this, text, speak);
}
