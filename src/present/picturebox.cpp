#include "present/picturebox.h"

#include <QMouseEvent>
#include <QPainter>

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
    if (!picture_.isNull() && !size().isEmpty()) {
        const Qt::AspectRatioMode mode =
            layout_ == Layout::Fit ? Qt::KeepAspectRatio : Qt::IgnoreAspectRatio;
        const QImage scaled = picture_.scaled(size(), mode, Qt::SmoothTransformation);
        QPainter p(&frame_);
        p.drawImage((width() - scaled.width()) / 2, (height() - scaled.height()) / 2, scaled);
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
