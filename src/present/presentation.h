#pragma once

#include "present/dispatcher.h"
#include "present/wallpaper.h"

class DesktopWallpaper;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TrayIcon;
struct AppPaths;

// The real presentation wired together: the three overlays end together on a click,
// the wallpaper goes to the desktop, and one dispatcher drives them all.
class Presentation {
public:
    Presentation(TForm3& fullscreen, TForm4& small, TForm5& text, TForm6& audio, TrayIcon& tray,
                 DesktopWallpaper& desktop, const AppPaths& paths, QObject* parent = nullptr);

    Dispatcher& dispatcher() { return dispatcher_; }
    Wallpaper& wallpaper() { return wallpaper_; }

private:
    Wallpaper wallpaper_;
    Dispatcher dispatcher_;
};
