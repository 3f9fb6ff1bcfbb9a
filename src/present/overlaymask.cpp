#include "present/overlaymask.h"

#include <QBitmap>

#include <cmath>

QRegion opaqueregion(const QImage& rendered, QColor key) {
    if (rendered.isNull()) return {};
    const QImage rgb = rendered.convertToFormat(QImage::Format_RGB32);
    // The key pixels are marked in the bitmap, and marked pixels are the region's holes.
    return QRegion(QBitmap::fromImage(rgb.createMaskFromColor(key.rgb(), Qt::MaskInColor)));
}

QRegion scaledmask(const QRegion& devicepixels, qreal ratio) {
    QRegion out;
    for (const QRect& r : devicepixels) {
        const int left = int(std::floor(r.left() / ratio));
        const int top = int(std::floor(r.top() / ratio));
        const int right = int(std::ceil((r.right() + 1) / ratio));
        const int bottom = int(std::ceil((r.bottom() + 1) / ratio));
        out += QRect(left, top, right - left, bottom - top);
    }
    // A region wholly outside the window shows nothing.
    return out.isEmpty() ? QRegion(-2, -2, 1, 1) : out;
}
