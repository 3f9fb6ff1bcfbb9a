#pragma once

#include <QRegion>

class QWidget;

// What a window outline governs: everything (the rest is neither drawn nor clickable),
// or only where clicks land, for a window that draws its own see-through pixels.
enum class ShapeUse { Whole, InputOnly };

// Sets a top-level window's outline in device pixels, so that a scaled screen keeps
// every pixel of it (Qt's own masks are in scaled units). An empty region leaves
// nothing of the window.
void setwindowshape(QWidget* window, const QRegion& devicepixels, ShapeUse use);

// Whether a compositing manager runs, so windows may draw with per-pixel alpha.
bool compositingmanager();
