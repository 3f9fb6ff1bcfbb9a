#include "schedule/notificationform.h"

#include "store/ansitext.h"
#include "store/colortable.h"
#include "store/integertext.h"

namespace {

std::string cut(const QString& text, std::size_t bytes) {
    return toansi(text, bytes);
}

uint8_t flag(bool on) {
    return on ? 1 : 0;
}

int32_t integer(const QString& text) {
    return strtoint(toansi(text));
}

} // namespace

TNotificationRecord formtorecord(const NotificationForm& f, ActiveFrom active) {
    TNotificationRecord r;
    r.MessageText = cut(f.messageText, 255);
    r.DisplayText = flag(f.displayText);
    r.TextDisplayType = cut(f.textDisplayType, 20);
    r.FontName = cut(f.fontName, 20);
    r.FontSize = integer(f.fontSize);
    r.FontColor = f.fontColor.isEmpty() ? std::string(kScrollBarName) : cut(f.fontColor, 20);
    r.FontItalic = flag(f.fontItalic);
    r.FontBold = flag(f.fontBold);
    r.FontUnderline = flag(f.fontUnderline);
    r.ImageFile = cut(f.imageFile, 255);
    r.DisplayImage = flag(f.displayImage);
    r.ImageDisplayType = cut(f.imageDisplayType, 40);
    r.WallpaperStyle = cut(f.wallpaperStyle, 8);
    r.AudioFile = cut(f.audioFile, 255);
    r.PlayAudio = flag(f.playAudio);
    r.TimerType = cut(f.timerType, 20);
    r.Hours = integer(f.hours);
    r.Minutes = integer(f.minutes);
    r.Seconds = integer(f.seconds);
    r.RepeatFlag = flag(f.repeat);
    r.DisplayDuration = integer(f.displayDuration);
    r.Fade = flag(f.fade);
    if (active == ActiveFrom::Timer) r.Active = flag(timeset(r));
    return r;
}

NotificationForm recordtoform(const TNotificationRecord& r) {
    NotificationForm f;
    f.messageText = fromansi(r.MessageText);
    f.displayText = r.DisplayText == 1;
    f.textDisplayType = fromansi(r.TextDisplayType);
    f.fontName = fromansi(r.FontName);
    f.fontSize = QString::number(r.FontSize);
    f.fontColor = fromansi(r.FontColor);
    f.fontItalic = r.FontItalic == 1;
    f.fontBold = r.FontBold == 1;
    f.fontUnderline = r.FontUnderline == 1;
    f.imageFile = fromansi(r.ImageFile);
    f.displayImage = r.DisplayImage == 1;
    f.imageDisplayType = fromansi(r.ImageDisplayType);
    f.wallpaperStyle = fromansi(r.WallpaperStyle);
    f.audioFile = fromansi(r.AudioFile);
    f.playAudio = r.PlayAudio == 1;
    f.timerType = fromansi(r.TimerType);
    f.hours = QString::number(r.Hours);
    f.minutes = QString::number(r.Minutes);
    f.seconds = QString::number(r.Seconds);
    f.repeat = r.RepeatFlag == 1;
    f.displayDuration = QString::number(r.DisplayDuration);
    f.fade = r.Fade == 1;
    return f;
}

NotificationForm defaultform() {
    NotificationForm f;
    f.hours = f.minutes = f.seconds = QStringLiteral("0");
    f.displayDuration = QStringLiteral("5");
    f.textDisplayType = QString::fromLatin1(codes::BalloonAndOverlay);
    f.imageDisplayType = QString::fromLatin1(codes::OverlaySmallWindow);
    f.wallpaperStyle = QString::fromLatin1(codes::Stretch);
    f.fontName = QStringLiteral("Tubular");
    f.displayImage = f.displayText = f.playAudio = true;
    f.repeat = true;
    f.fontSize = QStringLiteral("68");
    f.fontColor = QStringLiteral("clRed");
    f.fade = true;
    f.timerType = QString::fromLatin1(codes::Countdown);
    return f;
}

QStringList fontsizes() {
    QStringList sizes;
    for (int s : {6,  7,  8,  9,  10, 11, 12, 14, 15, 16, 17, 18, 20, 22, 24,
                  26, 28, 30, 32, 34, 36, 38, 40, 42, 48, 52, 58, 62, 68})
        sizes << QString::number(s);
    return sizes;
}

QStringList textdisplaytypes() {
    return {QString::fromLatin1(codes::BalloonAndOverlay),
            QString::fromLatin1(codes::BalloonBubble), QString::fromLatin1(codes::DesktopOverlay)};
}

QStringList imagedisplaytypes() {
    return {QString::fromLatin1(codes::DesktopBackground),
            QString::fromLatin1(codes::OverlayFullScreen),
            QString::fromLatin1(codes::OverlaySmallWindow)};
}

QStringList wallpaperstyles() {
    return {QString::fromLatin1(codes::Center), QString::fromLatin1(codes::Stretch),
            QString::fromLatin1(codes::Tile)};
}

QStringList timertypes() {
    return {QString::fromLatin1(codes::CertainTime), QString::fromLatin1(codes::Countdown)};
}

int matchitem(const QStringList& items, const QString& text) {
    for (int i = 0; i < items.size(); ++i)
        if (items[i].compare(text, Qt::CaseInsensitive) == 0) return i;
    return -1;
}
