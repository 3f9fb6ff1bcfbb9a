#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

// Where a window goes on a screen: its size cut to the available area (never below its
// minimum), centred with its frame, and moved so its title bar stays on the screen even
// when it cannot fit. `frame` is what the window manager adds around the client area.
QRect fitonscreen(QSize size, QSize minimum, QMargins frame, QRect available);

// Resizes and centres a top-level window on the available area of its screen.
void placeonscreen(QWidget* window);

// placeonscreen at a window's first showing only: shown again, it comes back where it was
// or where the user moved it.
void placeatfirstshow(QWidget* window);

// Centres a window over `owner` when that is on the screen, else on the screen.
void placeover(QWidget* window, const QWidget* owner);
