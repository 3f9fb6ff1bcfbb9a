#pragma once

#include <QtGlobal>

class QWidget;

// Sets a top-level window's opacity (0 to 1) so the desktop's compositor sees it at once.
class WindowOpacity {
public:
    virtual ~WindowOpacity() = default;
    // False, with nothing done, where the platform has no window opacity.
    virtual bool apply(QWidget* window, qreal level) = 0;
};
