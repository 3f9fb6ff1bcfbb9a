#pragma once

#include <QIcon>
#include <QPixmap>

#include <functional>

// An icon drawn by a function at each size when that size is first asked for: a
// size no window shows costs neither the drawing nor the memory.
QIcon drawnicon(std::function<QPixmap(int size)> draw);
