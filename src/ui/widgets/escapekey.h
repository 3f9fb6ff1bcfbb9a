#pragma once

#include <functional>

class QWidget;

// Escape, pressed anywhere in `window`, runs `act`: what the window's close box (or its
// Cancel) does. Open drop-down lists take their own Escape first.
void onescape(QWidget* window, std::function<void()> act);
