#include "present/picturebox.h"

#include <QMouseEvent>
#include <QPainter>

QRect fittedrect(const QSize& picture, const QRect& area) {
    if (picture.isEmpty() || area.isEmpty()) return {};
    const QSize size = picture.scaled(area.size(), Qt::KeepAspectRatio);
    return QRect(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2, size.width(), size.height());
}

PictureBox::PictureBox(Layout layout, QColor background, QWidget* parent)
    : QWidget(parent), layout_(layout), background_(background) {
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setpicture(const QImage& picture) {
    picture_ = picture;
    frame_ = QImage();
    update();
}

void PictureBox::clearpicture() {
    setpicture(QImage());
}

QImage PictureBox::frame() const {
    if (!frame_.isNull() && frame_.size() == size()) return frame_;
    frame_ = QImage(size(), QImage::Format_RGB32);
    frame_.fill(background_);
    const QRect place = layout_ == Layout::Fit ? fittedrect(picture_.size(), rect()) : rect();
    if (!picture_.isNull() && !place.isEmpty()) {
        QPainter p(&frame_);
        p.drawImage(place.topLeft(),
                    picture_.scaled(place.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    return frame_;
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, frame());
}

void PictureBox::resizeEvent(QResizeEvent*) {
    frame_ = QImage();
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
}
