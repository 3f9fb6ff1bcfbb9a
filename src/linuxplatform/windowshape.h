#pragma once

#include "platform/windowshape.h"

// The X Shape extension on the window, and the compositing manager found by the owner
// of the _NET_WM_CM_S<screen> selection; on Wayland no outline, and alpha always.
class X11WindowShape : public WindowShape {
public:
    bool apply(QWidget* window, const QRegion& devicepixels, ShapeUse use) override;
    bool compositing() override;
};
