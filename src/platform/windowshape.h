#pragma once

class QRegion;
class QWidget;

// What a window outline governs: everything (the rest is neither drawn nor clickable),
// or only where clicks land, for a window that draws its own see-through pixels.
enum class ShapeUse { Whole, InputOnly };

// The outline of a see-through top-level window, in device pixels so that a scaled
// screen keeps every pixel of it (Qt's own masks are in scaled units), and whether a
// compositing manager blends windows with per-pixel alpha.
class WindowShape {
public:
    virtual ~WindowShape() = default;
    // An empty region leaves nothing of the window. False where the desktop has no such
    // outline, and Qt's mask must serve.
    virtual bool apply(QWidget* window, const QRegion& devicepixels, ShapeUse use) = 0;
    virtual bool compositing() = 0;
};
