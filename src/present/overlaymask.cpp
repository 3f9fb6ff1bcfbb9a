#include "present/overlaymask.h"

#include <QBitmap>

QRegion opaqueregion(const QImage& rendered, QColor key) {
    if (rendered.isNull()) return {};
    const QImage rgb = rendered.convertToFormat(QImage::Format_RGB32);
    // The key pixels are marked in the bitmap, and marked pixels are the region's holes.
    return QRegion(QBitmap::fromImage(rgb.createMaskFromColor(key.rgb(), Qt::MaskInColor)));
}
