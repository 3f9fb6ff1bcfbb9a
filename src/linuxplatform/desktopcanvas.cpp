#include "linuxplatform/desktopcanvas.h"

#include <QPainter>

QImage composewallpaper(const QImage& picture, QSize screen, WallpaperPlacement placement,
                        QColor background) {
    QImage canvas(screen, QImage::Format_RGB32);
    canvas.fill(background);
    if (picture.isNull() || screen.isEmpty()) return canvas;
    QPainter p(&canvas);
    switch (placement) {
    case WallpaperPlacement::Stretched:
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(canvas.rect(), picture);
        break;
    case WallpaperPlacement::Tiled:
        p.drawTiledPixmap(canvas.rect(), QPixmap::fromImage(picture));
        break;
    case WallpaperPlacement::Centered:
        p.drawImage((screen.width() - picture.width()) / 2,
                    (screen.height() - picture.height()) / 2, picture);
        break;
    }
    return canvas;
}
