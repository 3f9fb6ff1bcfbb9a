#include "present/overlaymask.h"

#include <QBitmap>

QRegion opaqueregion(const QImage& rendered, QColor key) {
    if (rendered.isNull()) return {};
    const QImage rgb = rendered.convertToFormat(QImage::Format_RGB32);
    return QRegion(QBitmap::fromImage(rgb.createMaskFromColor(key.rgb(), Qt::MaskOutColor)));
}
