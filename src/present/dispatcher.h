#pragma once

#include "store/notificationsink.h"

#include <QObject>

class AudioSurface;
class ImageSurface;
class QTimer;
class TextSurface;
class TrayIcon;
class WallpaperSurface;
struct AppPaths;

// Everything a firing can reach.
struct PresentSurfaces {
    ImageSurface& fullscreen; // TForm3
    ImageSurface& small;      // TForm4
    TextSurface& text;        // TForm5
    WallpaperSurface& wallpaper;
    TrayIcon& tray;
    AudioSurface& audio; // TForm6
};

// Turns a fired Notification into what the user sees and hears, and ends the
// display when the one display timer `popdur` fires.
class Dispatcher : public QObject, public NotificationSink {
    Q_OBJECT
public:
    // `paths` is read at each firing, so it may be filled in after construction.
    Dispatcher(PresentSurfaces surfaces, const AppPaths& paths, QObject* parent = nullptr);

    // Image, then text, then balloon, then audio. An unreadable picture or font colour
    // raises and leaves the later steps undone.
    void shownotification(const TNotificationRecord& rec) override;

    QTimer* popdur;

public slots:
    void popdurTimer();

signals:
    // The overlays of a firing are up; they may need their order restored.
    void displaystarted();

private:
    void showimage(const TNotificationRecord& rec);
    void showtext(const TNotificationRecord& rec);
    void armpopdur(int32_t seconds);

    PresentSurfaces s_;
    const AppPaths& paths_;
};
