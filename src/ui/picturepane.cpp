#include "ui/picturepane.h"

#include <QPainter>

PicturePane::PicturePane(QWidget* parent) : QWidget(parent) {
    setMinimumSize(150, 139);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void PicturePane::setpicture(const QImage& picture) {
    picture_ = picture;
    update();
}

QRect PicturePane::fitted(const QSize& picture, const QRect& area) {
    if (picture.isEmpty() || area.isEmpty()) return {};
    const QSize size = picture.scaled(area.size(), Qt::KeepAspectRatio);
    return QRect(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2, size.width(), size.height());
}

void PicturePane::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(fitted(picture_.size(), rect()), picture_);
}
