#include "ui/widgets/picturepane.h"

#include "present/picturebox.h"

#include <QPainter>

PicturePane::PicturePane(QWidget* parent) : QWidget(parent) {
    setMinimumSize(150, 139);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void PicturePane::setpicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void PicturePane::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(fittedrect(picture_.size(), rect()), picture_);
}
