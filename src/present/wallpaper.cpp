#include "present/wallpaper.h"

#include "readers/imageconvert.h"
#include "readers/pictureloader.h"
#include "store/apppaths.h"
#include "store/notificationrecord.h"

WallpaperStyleValues wallpaperstyle(const QString& styletext) {
    if (styletext == QLatin1String(codes::Tile)) return {1, 0};
    if (styletext == QLatin1String(codes::Stretch)) return {0, 2};
    return {0, 0};
}

WallpaperPlacement placementfor(WallpaperStyleValues values) {
    if (values.tile == 1) return WallpaperPlacement::Tiled;
    if (values.style == 2) return WallpaperPlacement::Stretched;
    return WallpaperPlacement::Centered;
}

QString Wallpaper::makebitmap(const QString& image) const {
    // A picture of another kind is converted through the general loader, so the
    // desktop never gets the previous wallpaper's bitmap in its place.
    if (picturekind(image) == PictureKind::Other)
        savebitmap(loadpicture(image), paths_.wallpaperbmp);
    else
        imagetobitmap(image, paths_.wallpaperbmp);
    return paths_.wallpaperbmp;
}

void Wallpaper::setwallpaper(const QString& bitmap, const QString& style) noexcept {
    try {
        desktop_.apply(bitmap, placementfor(wallpaperstyle(style)));
    } catch (...) {
        // The desktop keeps its wallpaper; nothing is reported.
    }
}
