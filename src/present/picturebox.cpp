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
    keyknown_ = false;
    frame_ = QImage();
    update();
}

void PictureBox::clearpicture() {
    setpicture(QImage());
}

namespace {
bool containscolor(const QImage& picture, QColor color) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb wanted = color.rgb();
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            if ((line[x] | 0xff000000u) == wanted) return true;
    }
    return false;
}
} // namespace

QImage PictureBox::frame() const {
    // Composed in device pixels, so a scaled screen shows the picture sharp and the
    // see-through mask matches every pixel.
    const qreal ratio = devicePixelRatio();
    const QSize device = size() * ratio;
    if (!frame_.isNull() && frame_.size() == device) return frame_;
    frame_ = QImage(device, QImage::Format_RGB32);
    frame_.fill(background_);
    const QRect whole(QPoint(0, 0), device);
    const QRect place = layout_ == Layout::Fit ? fittedrect(picture_.size(), whole) : whole;
    if (!picture_.isNull() && !place.isEmpty()) {
        // Smoothing would blend key pixels with their neighbours into an opaque fringe
        // around every see-through area; such pictures are scaled pixel by pixel.
        if (!keyknown_) {
            haskey_ = containscolor(picture_, background_);
            keyknown_ = true;
        }
        const auto mode = haskey_ ? Qt::FastTransformation : Qt::SmoothTransformation;
        QPainter p(&frame_);
        p.drawImage(place.topLeft(), picture_.scaled(place.size(), Qt::IgnoreAspectRatio, mode));
    }
    frame_.setDevicePixelRatio(ratio);
    return frame_;
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), frame());
}

void PictureBox::resizeEvent(QResizeEvent*) {
    frame_ = QImage();
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
}
