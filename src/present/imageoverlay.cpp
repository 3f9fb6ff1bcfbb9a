#include "present/imageoverlay.h"

ImageOverlay::ImageOverlay(FadeConstants fade, PictureBox::Layout layout, QWidget* parent)
    : OverlayWindow(fade, QColor(128, 128, 128), parent),
      Image1(new PictureBox(layout, keycolor(), this)) {
    connect(Image1, &PictureBox::clicked, this, &ImageOverlay::Image1Click);
}
