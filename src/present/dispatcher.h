#pragma once

#include "store/notificationsink.h"

#include <QObject>

class AudioSurface;
class ImageSurface;
class PictureJob;
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

    // Starts preparing the picture, then shows text and balloon and plays the audio. An
    // unreadable font colour raises and leaves the later steps undone. The picture is
    // read away from the GUI thread and shown when it is ready, while the display
    // lasts; a refused one is never shown and its error is told by `picturerefused`.
    void shownotification(const TNotificationRecord& rec) override;

    QTimer* popdur;

public slots:
    void popdurTimer();

signals:
    // The overlays of a firing are up; they may need their order restored.
    void displaystarted();
    // A firing's picture could not be read: the error's text.
    void picturerefused(const QString& why);

private:
    // `speak`: the picture window is the one to tell the text to screen readers.
    void showimage(const TNotificationRecord& rec, bool speak);
    void showtext(const TNotificationRecord& rec);
    void armpopdur(int32_t seconds);

    PresentSurfaces s_;
    const AppPaths& paths_;
    // One preparation each, as a later firing replaces an earlier one's picture.
    PictureJob* fullscreenjob_;
    PictureJob* smalljob_;
    PictureJob* wallpaperjob_;
};
