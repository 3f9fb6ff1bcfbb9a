#pragma once

#include "linuxplatform/desktopwallpaper.h"

// A desktop without a wallpaper setting of its own: the picture is painted as the X
// root window's background and announced the way root-painting tools share it, so
// the next painter can free it and transparent terminals can find it.
class X11RootWallpaper : public DesktopWallpaper {
public:
    // `display` as for XOpenDisplay; empty means $DISPLAY.
    explicit X11RootWallpaper(QString display = {}) : display_(std::move(display)) {}
    void apply(const QString& bitmap, WallpaperPlacement placement) override;

private:
    QString display_;
};
