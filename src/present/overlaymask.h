#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>

// The part of a rendered overlay that stays on screen: every pixel except those of
// exactly the key colour, which are see-through and let clicks pass.
QRegion opaqueregion(const QImage& rendered, QColor key);

// A device-pixel region as Qt's window mask in scaled units, as near as they allow; never
// empty, which Qt would take for no mask at all.
QRegion scaledmask(const QRegion& devicepixels, qreal ratio);
