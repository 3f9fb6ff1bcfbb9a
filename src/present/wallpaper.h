#pragma once

#include "platform/desktopwallpaper.h"
#include "present/surfaces.h"

#include <QString>

struct AppPaths;

// The desktop's two layout numbers for a style text: whether the picture is tiled,
// and how it is laid out (0 centred, 2 stretched).
struct WallpaperStyleValues {
    int tile = 0;
    int style = 0;
    bool operator==(const WallpaperStyleValues&) const = default;
};

// "Center", "Tile" and "Stretch", compared exactly; any other text is centred.
WallpaperStyleValues wallpaperstyle(const QString& styletext);
WallpaperPlacement placementfor(WallpaperStyleValues values);

// A Notification's picture as the desktop wallpaper. The change is permanent.
class Wallpaper : public WallpaperSurface {
public:
    Wallpaper(const AppPaths& paths, DesktopWallpaper& desktop)
        : paths_(paths), desktop_(desktop) {}

    // Converts the picture to the wallpaper bitmap beside the executable.
    QString makebitmap(const QString& image) const override;
    // Applies a bitmap in a style; a desktop that refuses is not reported.
    void setwallpaper(const QString& bitmap, const QString& style) noexcept override;

private:
    const AppPaths& paths_;
    DesktopWallpaper& desktop_;
};
