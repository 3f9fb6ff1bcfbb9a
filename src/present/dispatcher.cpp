#include "present/dispatcher.h"

#include "platform/tray.h"
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

QRect primaryscreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}
} // namespace

Dispatcher::Dispatcher(PresentSurfaces surfaces, const AppPaths& paths, QObject* parent)
    : QObject(parent), popdur(new QTimer(this)), s_(surfaces), paths_(paths) {
    popdur->setSingleShot(false);
    popdur->setTimerType(Qt::PreciseTimer);
    connect(popdur, &QTimer::timeout, this, &Dispatcher::popdurTimer);
}

void Dispatcher::shownotification(const TNotificationRecord& notification) {
    // Our own copy: a firing nested inside the audio step cannot change it.
    const TNotificationRecord rec = notification;
    if (rec.DisplayDuration <= 0) return;
    armpopdur(rec.DisplayDuration);
    showimage(rec);
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

void Dispatcher::showimage(const TNotificationRecord& rec) {
    if (!on(rec.DisplayImage) || rec.ImageFile.empty()) return;
    const QString file = fromansi(rec.ImageFile);
    const bool exists = isregularfile(file);
    const std::string& type = rec.ImageDisplayType;

    auto overlay = [&](ImageSurface& window) {
        QImage picture;
        if (picturekind(file) == PictureKind::Other) {
            // Not one of the converted kinds: shown as it is when Qt can read it.
            picture = loadpicture(file);
        } else {
            imagetobitmap(file, paths_.tmpbmp);
            picture = loadpicture(paths_.tmpbmp);
        }
        window.setpicture(picture);
        window.starttheshow(on(rec.Fade));
    };
    if (type == codes::OverlayFullScreen && exists) overlay(s_.fullscreen);
    if (type == codes::OverlaySmallWindow && exists) overlay(s_.small);
    if (type == codes::DesktopBackground && exists)
        s_.wallpaper.makewallpaper(file, fromansi(rec.WallpaperStyle));
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
    } else {
        overlay();
    }
}

void Dispatcher::popdurTimer() {
    if (s_.fullscreen.isshowing()) s_.fullscreen.endtheshow();
    if (s_.small.isshowing()) s_.small.endtheshow();
    if (s_.text.isshowing()) s_.text.endtheshow();
    if (!s_.tray.balloontext().isEmpty()) s_.tray.setballoontext(QString());
    popdur->stop();
}
