#pragma once

#include <QtGlobal>

class QWidget;

// Sets a top-level window's opacity (0 to 1) so the desktop's compositor sees it at
// once: Qt's X11 back end queues the change until other traffic flushes it, which a
// fade never causes.
void applywindowopacity(QWidget* window, qreal level);
