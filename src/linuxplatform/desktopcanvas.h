#pragma once

#include "linuxplatform/desktopwallpaper.h"

#include <QColor>
#include <QImage>
#include <QSize>

// The whole screen as the desktop shows a wallpaper picture: centred on the
// background colour, tiled from the top left corner, or stretched to the screen.
QImage composewallpaper(const QImage& picture, QSize screen, WallpaperPlacement placement,
                        QColor background = Qt::black);
