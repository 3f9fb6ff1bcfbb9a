#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>

// The part of a rendered overlay that stays on screen: every pixel except those of
// exactly the key colour, which are see-through and let clicks pass.
QRegion opaqueregion(const QImage& rendered, QColor key);
