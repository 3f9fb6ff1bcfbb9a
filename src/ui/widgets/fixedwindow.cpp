#include "ui/widgets/fixedwindow.h"

#include <QWidget>

void makefixedwindow(QWidget* window) {
    // The Motif hints Qt derives from these offer closing and moving only.
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
}

void bringforward(QWidget* window) {
    if (window->isMinimized()) window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}
