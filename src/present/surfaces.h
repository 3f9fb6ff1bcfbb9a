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
    // What a screen reader calls the window: the Notification's text; `speak` makes it
    // say the text when the window shows.
    virtual void announce(const QString& text, bool speak) = 0;
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
    // Tells a text shown only in the balloon to screen readers.
    virtual void announce(const QString& text) = 0;
    virtual void endtheshow() = 0;
    virtual bool isshowing() const = 0;
};

// The desktop's wallpaper, in two steps: the conversion of the picture into the
// wallpaper bitmap, which reads outside bytes and so runs away from the GUI thread,
// and applying that bitmap.
class WallpaperSurface {
public:
    virtual ~WallpaperSurface() = default;
    // The bitmap's path; raises IoError when the picture cannot be converted. Touches
    // files only, so it may run on any thread.
    virtual QString makebitmap(const QString& image) const = 0;
    // Failures are silent.
    virtual void setwallpaper(const QString& bitmap, const QString& style) noexcept = 0;
};

class AudioSurface {
public:
    virtual ~AudioSurface() = default;
    // Never raises.
    virtual void playaudio(const QString& path) = 0;
};
