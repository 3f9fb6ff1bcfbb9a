#pragma once

#include <QString>

// How the desktop lays a wallpaper picture out.
enum class WallpaperPlacement { Centered, Tiled, Stretched };

// The desktop's wallpaper setting. The placement is applied before the picture, so
// the desktop never shows the new picture in the old layout.
class DesktopWallpaper {
public:
    virtual ~DesktopWallpaper() = default;
    // Raises std::runtime_error when the desktop refuses.
    virtual void apply(const QString& bitmap, WallpaperPlacement placement) = 0;
};
