#pragma once

#include <functional>

class QWidget;

// Escape, pressed anywhere in `window`, runs `act`: what the window's close box (or its
// Cancel) does. An open drop-down list or menu takes its own Escape first.
void onescape(QWidget* window, std::function<void()> act);
