#pragma once

#include "platform/desktopwindow.h"

// Qt's X11 back end queues an opacity change until other traffic flushes it, which a
// fade never causes: the change is flushed at once. Wayland has no window opacity.
class X11WindowOpacity : public WindowOpacity {
public:
    bool apply(QWidget* window, qreal level) override;
};
