#include "store/notificationrecord.h"

#include "store/shortstring.h"

namespace {

// Byte offsets of the file format; every one is binding.
namespace off {
constexpr std::size_t MessageText = 0;
constexpr std::size_t DisplayText = 256;
constexpr std::size_t TextDisplayType = 257;
constexpr std::size_t FontName = 278;
constexpr std::size_t FontSize = 300;
constexpr std::size_t FontColor = 304;
constexpr std::size_t FontItalic = 325;
constexpr std::size_t FontBold = 326;
constexpr std::size_t FontUnderline = 327;
constexpr std::size_t ImageFile = 328;
constexpr std::size_t DisplayImage = 584;
constexpr std::size_t ImageDisplayType = 585;
constexpr std::size_t WallpaperStyle = 626;
constexpr std::size_t AudioFile = 635;
constexpr std::size_t PlayAudio = 891;
constexpr std::size_t TimerType = 892;
constexpr std::size_t Hours = 916;
constexpr std::size_t Minutes = 920;
constexpr std::size_t Seconds = 924;
constexpr std::size_t RepeatFlag = 928;
constexpr std::size_t DisplayDuration = 932;
constexpr std::size_t Fade = 936;
constexpr std::size_t Deleted = recordfield::Deleted;
constexpr std::size_t Active = recordfield::Active;
constexpr std::size_t Reserved1 = 940;
constexpr std::size_t Reserved2 = 944;
constexpr std::size_t Reserved3 = 948;
constexpr std::size_t RecordCount = 952;
constexpr std::size_t Reserved4 = 956;
} // namespace off

} // namespace

RecordBytes encodenotification(const TNotificationRecord& r) {
    RecordBytes raw{};
    uint8_t* p = raw.data();
    bytes::putshortstring(p + off::MessageText, 255, r.MessageText);
    p[off::DisplayText] = r.DisplayText;
    bytes::putshortstring(p + off::TextDisplayType, 20, r.TextDisplayType);
    bytes::putshortstring(p + off::FontName, 20, r.FontName);
    bytes::putint32(p + off::FontSize, r.FontSize);
    bytes::putshortstring(p + off::FontColor, 20, r.FontColor);
    p[off::FontItalic] = r.FontItalic;
    p[off::FontBold] = r.FontBold;
    p[off::FontUnderline] = r.FontUnderline;
    bytes::putshortstring(p + off::ImageFile, 255, r.ImageFile);
    p[off::DisplayImage] = r.DisplayImage;
    bytes::putshortstring(p + off::ImageDisplayType, 40, r.ImageDisplayType);
    bytes::putshortstring(p + off::WallpaperStyle, 8, r.WallpaperStyle);
    bytes::putshortstring(p + off::AudioFile, 255, r.AudioFile);
    p[off::PlayAudio] = r.PlayAudio;
    bytes::putshortstring(p + off::TimerType, 20, r.TimerType);
    bytes::putint32(p + off::Hours, r.Hours);
    bytes::putint32(p + off::Minutes, r.Minutes);
    bytes::putint32(p + off::Seconds, r.Seconds);
    p[off::RepeatFlag] = r.RepeatFlag;
    bytes::putint32(p + off::DisplayDuration, r.DisplayDuration);
    p[off::Fade] = r.Fade;
    p[off::Deleted] = r.Deleted;
    p[off::Active] = r.Active;
    bytes::putint32(p + off::Reserved1, r.Reserved1);
    bytes::putint32(p + off::Reserved2, r.Reserved2);
    bytes::putint32(p + off::Reserved3, r.Reserved3);
    bytes::putint32(p + off::RecordCount, r.RecordCount);
    bytes::putint32(p + off::Reserved4, r.Reserved4);
    return raw;
}

TNotificationRecord decodenotification(const RecordBytes& raw) {
    const uint8_t* p = raw.data();
    TNotificationRecord r;
    r.MessageText = bytes::getshortstring(p + off::MessageText, 255);
    r.DisplayText = p[off::DisplayText];
    r.TextDisplayType = bytes::getshortstring(p + off::TextDisplayType, 20);
    r.FontName = bytes::getshortstring(p + off::FontName, 20);
    r.FontSize = bytes::getint32(p + off::FontSize);
    r.FontColor = bytes::getshortstring(p + off::FontColor, 20);
    r.FontItalic = p[off::FontItalic];
    r.FontBold = p[off::FontBold];
    r.FontUnderline = p[off::FontUnderline];
    r.ImageFile = bytes::getshortstring(p + off::ImageFile, 255);
    r.DisplayImage = p[off::DisplayImage];
    r.ImageDisplayType = bytes::getshortstring(p + off::ImageDisplayType, 40);
    r.WallpaperStyle = bytes::getshortstring(p + off::WallpaperStyle, 8);
    r.AudioFile = bytes::getshortstring(p + off::AudioFile, 255);
    r.PlayAudio = p[off::PlayAudio];
    r.TimerType = bytes::getshortstring(p + off::TimerType, 20);
    r.Hours = bytes::getint32(p + off::Hours);
    r.Minutes = bytes::getint32(p + off::Minutes);
    r.Seconds = bytes::getint32(p + off::Seconds);
    r.RepeatFlag = p[off::RepeatFlag];
    r.DisplayDuration = bytes::getint32(p + off::DisplayDuration);
    r.Fade = p[off::Fade];
    r.Deleted = p[off::Deleted];
    r.Active = p[off::Active];
    r.Reserved1 = bytes::getint32(p + off::Reserved1);
    r.Reserved2 = bytes::getint32(p + off::Reserved2);
    r.Reserved3 = bytes::getint32(p + off::Reserved3);
    r.RecordCount = bytes::getint32(p + off::RecordCount);
    r.Reserved4 = bytes::getint32(p + off::Reserved4);
    return r;
}

ScheduleFields decodeschedule(const RecordBytes& raw) {
    const uint8_t* p = raw.data();
    ScheduleFields f;
    f.countdown = bytes::getshortstring(p + off::TimerType, 20) == codes::Countdown;
    f.Hours = bytes::getint32(p + off::Hours);
    f.Minutes = bytes::getint32(p + off::Minutes);
    f.Seconds = bytes::getint32(p + off::Seconds);
    f.RepeatFlag = p[off::RepeatFlag];
    f.Deleted = p[off::Deleted];
    f.Active = p[off::Active];
    return f;
}

ShownTextFields decodeshowntext(const RecordBytes& raw) {
    const uint8_t* p = raw.data();
    ShownTextFields f;
    f.Deleted = p[off::Deleted];
    f.DisplayText = p[off::DisplayText];
    f.hastext = p[off::MessageText] != 0; // the length byte
    f.FontColor = bytes::getshortstring(p + off::FontColor, 20);
    return f;
}

ListHeader decodeheader(const RecordBytes& raw) {
    return ListHeader{raw[headerfield::Mode],
                      bytes::getint32(raw.data() + headerfield::RecordCount)};
}

RecordBytes newheader() {
    RecordBytes raw{};
    bytes::putint32(raw.data() + headerfield::Marker, -1);
    return raw;
}
