#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <optional>

// What the dispatcher reaches when a Notification fires, one small interface per
// surface, so its decisions can be followed without windows.

// An image overlay, full-screen or small.
class ImageSurface {
public:
    virtual ~ImageSurface() = default;
    virtual void setpicture(const QImage& picture) = 0;
    virtual void starttheshow(bool fade) = 0;
    virtual void endtheshow() = 0;
    virtual bool isshowing() const = 0;
};

// The text strip.
class TextSurface {
public:
    virtual ~TextSurface() = default;
    // Lays the strip along the bottom edge of the given screen, keeping its height.
    virtual void placeonscreen(const QRect& screen) = 0;
    // Adds or removes each style (none: left as it is); kept for later displays.
    virtual void setfontstyles(std::optional<bool> bold, std::optional<bool> italic,
                               std::optional<bool> underline) = 0;
    // Face, size in points (none: kept) and colour of the text.
    virtual void setfontface(const QString& family, int points, QColor color) = 0;
    virtual void starttheshow(const QString& text, bool fade) = 0;
    virtual void endtheshow() = 0;
    virtual bool isshowing() const = 0;
};

class WallpaperSurface {
public:
    virtual ~WallpaperSurface() = default;
    // Raises IoError when the picture cannot be converted; later failures are silent.
    virtual void makewallpaper(const QString& image, const QString& style) = 0;
};

class AudioSurface {
public:
    virtual ~AudioSurface() = default;
    // Never raises.
    virtual void playaudio(const QString& path) = 0;
};
