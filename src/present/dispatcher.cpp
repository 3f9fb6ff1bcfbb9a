#include "present/dispatcher.h"

#include "platform/tray.h"
#include "present/picturejob.h"
#include "present/surfaces.h"
#include "readers/imageconvert.h"
#include "readers/pictureloader.h"
#include "store/ansitext.h"
#include "store/apppaths.h"
#include "store/colortable.h"
#include "store/filebytes.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QTimer>

#include <limits>
#include <memory>

namespace {
bool on(uint8_t flag) {
    return flag == 1;
}

// A style byte sets the style when 1, clears it when 0, and leaves it otherwise.
std::optional<bool> style(uint8_t flag) {
    if (flag == 1) return true;
    if (flag == 0) return false;
    return std::nullopt;
}

QColor fontcolor(const std::string& text) {
    // The stored default names the desktop's scroll-bar colour, which Qt calls Button.
    const QColor bar = QApplication::palette().color(QPalette::Button);
    const Rgb rgb =
        stringtocolor(text, Rgb{uint8_t(bar.red()), uint8_t(bar.green()), uint8_t(bar.blue())});
    return QColor(rgb.r, rgb.g, rgb.b);
}

// What an overlay shows: a converted kind goes through the scratch bitmap, as the
// program always did; another kind is shown as Qt reads it.
QImage overlaypicture(const QString& file, const QString& scratch) {
    if (picturekind(file) == PictureKind::Other) return loadpicture(file);
    imagetobitmap(file, scratch);
    return loadpicture(scratch);
}

QRect primaryscreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}
} // namespace

Dispatcher::Dispatcher(PresentSurfaces surfaces, const AppPaths& paths, QObject* parent)
    : QObject(parent), popdur(new QTimer(this)), s_(surfaces), paths_(paths),
      fullscreenjob_(new PictureJob(this)), smalljob_(new PictureJob(this)),
      wallpaperjob_(new PictureJob(this)) {
    popdur->setSingleShot(false);
    popdur->setTimerType(Qt::PreciseTimer);
    connect(popdur, &QTimer::timeout, this, &Dispatcher::popdurTimer);
}

void Dispatcher::shownotification(const TNotificationRecord& notification) {
    // Our own copy: a firing nested inside the audio step cannot change it.
    const TNotificationRecord rec = notification;
    if (rec.DisplayDuration <= 0) return;
    armpopdur(rec.DisplayDuration);
    // The text strip or the balloon tells the text; a picture shown alone tells it then.
    showimage(rec, !(on(rec.DisplayText) && !rec.MessageText.empty()));
    showtext(rec);
    emit displaystarted();
    if (on(rec.PlayAudio) && !rec.AudioFile.empty()) {
        const QString audio = fromansi(rec.AudioFile);
        if (isregularfile(audio)) s_.audio.playaudio(audio);
    }
}

void Dispatcher::armpopdur(int32_t seconds) {
    // Durations beyond the timer's range are held at its longest interval.
    const qint64 wanted = qint64(seconds) * 1000;
    const int msecs = int(std::min<qint64>(wanted, std::numeric_limits<int>::max()));
    // A running count given the interval it already has goes on; anything else
    // starts counting afresh.
    if (popdur->isActive() && popdur->interval() == msecs) return;
    popdur->start(msecs);
}

void Dispatcher::showimage(const TNotificationRecord& rec, bool speak) {
    if (!on(rec.DisplayImage) || rec.ImageFile.empty()) return;
    const QString file = fromansi(rec.ImageFile);
    if (!isregularfile(file)) return;
    const std::string& type = rec.ImageDisplayType;
    const auto refused = [this](const QString& why) { emit picturerefused(why); };

    const QString message = fromansi(rec.MessageText);
    auto overlay = [&](ImageSurface& window, PictureJob* job) {
        const bool fade = on(rec.Fade);
        job->start([file, scratch = paths_.tmpbmp] { return overlaypicture(file, scratch); },
                   [this, &window, fade, message, speak](const QImage& picture) {
                       window.setpicture(picture);
                       window.announce(message, speak);
                       window.starttheshow(fade);
                       emit displaystarted();
                   },
                   refused);
    };
    if (type == codes::OverlayFullScreen) overlay(s_.fullscreen, fullscreenjob_);
    if (type == codes::OverlaySmallWindow) overlay(s_.small, smalljob_);
    if (type == codes::DesktopBackground) {
        const QString style = fromansi(rec.WallpaperStyle);
        WallpaperSurface& wallpaper = s_.wallpaper;
        auto bitmap = std::make_shared<QString>();
        wallpaperjob_->start(
            [file, &wallpaper, bitmap] {
                *bitmap = wallpaper.makebitmap(file);
                return QImage();
            },
            [&wallpaper, style, bitmap](const QImage&) { wallpaper.setwallpaper(*bitmap, style); },
            refused);
    }
}

void Dispatcher::showtext(const TNotificationRecord& rec) {
    if (!on(rec.DisplayText) || rec.MessageText.empty()) return;
    const QString message = fromansi(rec.MessageText);
    s_.text.placeonscreen(primaryscreen());

    s_.text.setfontstyles(style(rec.FontBold), style(rec.FontItalic), style(rec.FontUnderline));

    auto overlay = [&] {
        s_.text.setfontface(fromansi(rec.FontName), rec.FontSize, fontcolor(rec.FontColor));
        s_.text.starttheshow(message, on(rec.Fade));
    };
    auto balloon = [&] {
        s_.tray.setballoontext(message);
        s_.tray.showballoon();
    };

    if (rec.TextDisplayType == codes::BalloonAndOverlay) {
        overlay();
        balloon();
    } else if (rec.TextDisplayType == codes::BalloonBubble) {
        balloon();
        s_.text.announce(message);
    } else {
        overlay();
    }
}

void Dispatcher::popdurTimer() {
    // A picture still being read would come after its display ended.
    fullscreenjob_->cancel();
    smalljob_->cancel();
    if (s_.fullscreen.isshowing()) s_.fullscreen.endtheshow();
    if (s_.small.isshowing()) s_.small.endtheshow();
    if (s_.text.isshowing()) s_.text.endtheshow();
    if (!s_.tray.balloontext().isEmpty()) s_.tray.setballoontext(QString());
    popdur->stop();
}
