#pragma once

#include "platform/desktopwallpaper.h"

#include <memory>

class CommandRunner;

// The desktop session as the environment describes it.
struct DesktopSession {
    QString currentdesktop; // XDG_CURRENT_DESKTOP, e.g. "ubuntu:GNOME"
    QString sessionname;    // DESKTOP_SESSION
    bool x11 = false;       // an X display to paint on

    static DesktopSession fromenvironment();
};

enum class WallpaperBackend { Gnome, Cinnamon, Mate, Xfce, X11Root, Unavailable };

// Which realisation serves this session: the desktop's own settings where it has
// them, else the X root window.
WallpaperBackend choosewallpaperbackend(const DesktopSession& session);
std::unique_ptr<DesktopWallpaper> makedesktopwallpaper(WallpaperBackend backend,
                                                       CommandRunner& runner);

// GNOME and its relatives keep the wallpaper in gsettings.
class GsettingsWallpaper : public DesktopWallpaper {
public:
    struct Keys {
        const char* schema;
        const char* picturekey; // the picture's location
        bool uri;               // the location is a file URI, else a plain path
        const char* darkkey;    // also set where it exists; may be empty
    };
    static const Keys gnome, cinnamon, mate;

    GsettingsWallpaper(CommandRunner& runner, const Keys& keys) : runner_(runner), keys_(keys) {}
    void apply(const QString& bitmap, WallpaperPlacement placement) override;

private:
    CommandRunner& runner_;
    Keys keys_;
};

// XFCE keeps one backdrop per monitor and workspace in xfconf.
class XfceWallpaper : public DesktopWallpaper {
public:
    explicit XfceWallpaper(CommandRunner& runner) : runner_(runner) {}
    void apply(const QString& bitmap, WallpaperPlacement placement) override;

private:
    CommandRunner& runner_;
};

// The one the program uses: picks its realisation from the session when first needed.
class SystemDesktopWallpaper : public DesktopWallpaper {
public:
    SystemDesktopWallpaper();
    ~SystemDesktopWallpaper() override;
    void apply(const QString& bitmap, WallpaperPlacement placement) override;

private:
    std::unique_ptr<CommandRunner> runner_;
    std::unique_ptr<DesktopWallpaper> chosen_;
};
