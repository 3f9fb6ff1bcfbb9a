#pragma once

#include <array>
#include <cstdint>
#include <string>

// One Notification as stored in the working database and in .clt files.
// Strings hold single-byte characters as raw bytes; flags keep their raw byte
// because only exactly 1 counts as on.
struct TNotificationRecord {
    std::string MessageText;
    uint8_t DisplayText = 0;
    std::string TextDisplayType;
    std::string FontName;
    int32_t FontSize = 0;
    std::string FontColor;
    uint8_t FontItalic = 0;
    uint8_t FontBold = 0;
    uint8_t FontUnderline = 0;
    std::string ImageFile;
    uint8_t DisplayImage = 0;
    std::string ImageDisplayType;
    std::string WallpaperStyle;
    std::string AudioFile;
    uint8_t PlayAudio = 0;
    std::string TimerType;
    int32_t Hours = 0;
    int32_t Minutes = 0;
    int32_t Seconds = 0;
    uint8_t RepeatFlag = 0;
    int32_t DisplayDuration = 0;
    uint8_t Fade = 0;
    uint8_t Deleted = 0;
    uint8_t Active = 0;
    int32_t Reserved1 = 0;
    int32_t Reserved2 = 0;
    int32_t Reserved3 = 0;
    int32_t RecordCount = 0;
    int32_t Reserved4 = 0;

    bool operator==(const TNotificationRecord&) const = default;
};

constexpr std::size_t kNotificationRecordSize = 960;
using RecordBytes = std::array<uint8_t, kNotificationRecordSize>;

RecordBytes encodenotification(const TNotificationRecord& rec);
TNotificationRecord decodenotification(const RecordBytes& raw);

// Offsets of the flag bytes that commands change on their own.
namespace recordfield {
constexpr std::size_t Deleted = 937;
constexpr std::size_t Active = 938;
} // namespace recordfield

// What the tick decides on, decoded when a record is written rather than every second.
struct ScheduleFields {
    bool countdown = false; // TimerType is exactly "Countdown"
    int32_t Hours = 0;
    int32_t Minutes = 0;
    int32_t Seconds = 0;
    uint8_t RepeatFlag = 0;
    uint8_t Deleted = 0;
    uint8_t Active = 0;
};
ScheduleFields decodeschedule(const RecordBytes& raw);

// What opening a list checks of every row before anything changes: whether the row shows
// a text, and the colour it would be shown in.
struct ShownTextFields {
    uint8_t Deleted = 0;
    uint8_t DisplayText = 0;
    bool hastext = false; // MessageText is not empty
    std::string FontColor;
};
ShownTextFields decodeshowntext(const RecordBytes& raw);

// Record 0 read with its header meanings. Other header bytes are kept as they are
// by the header operations, which patch the raw record.
struct ListHeader {
    uint8_t Mode = 0;
    int32_t RecordCount = 0;
};

namespace headerfield {
constexpr std::size_t Mode = 256;
constexpr std::size_t Marker = 300;
constexpr std::size_t RecordCount = 952;
} // namespace headerfield

ListHeader decodeheader(const RecordBytes& raw);
RecordBytes newheader();

// Field texts the engine, dispatcher and editor compare against.
namespace codes {
inline constexpr const char* Countdown = "Countdown";
inline constexpr const char* CertainTime = "Certain time";
inline constexpr const char* BalloonAndOverlay = "Balloon & Overlay";
inline constexpr const char* BalloonBubble = "Balloon Bubble";
inline constexpr const char* DesktopOverlay = "Desktop Overlay";
inline constexpr const char* DesktopBackground = "Desktop Background";
inline constexpr const char* OverlayFullScreen = "Desktop Overlay (Full Screen)";
inline constexpr const char* OverlaySmallWindow = "Desktop Overlay (Small Window)";
inline constexpr const char* Center = "Center";
inline constexpr const char* Stretch = "Stretch";
inline constexpr const char* Tile = "Tile";
} // namespace codes

// Font sizes are shown up to this many points; the editor offers 6 to 68, and a
// file may hold any number.
inline constexpr int32_t kMaxFontSize = 1000;

// Total seconds of a Notification's time fields. A file may hold any 32-bit values,
// so the sum is taken in 64 bits, where it cannot overflow.
template <typename Fields> inline int64_t totalseconds(const Fields& r) {
    return int64_t(r.Hours) * 3600 + int64_t(r.Minutes) * 60 + r.Seconds;
}
inline bool iscountdown(const TNotificationRecord& r) {
    return r.TimerType == codes::Countdown;
}
inline bool iscountdown(const ScheduleFields& f) {
    return f.countdown;
}
// Whether the Notification can be armed: a certain time always, a countdown only with a length.
template <typename Fields> inline bool timeset(const Fields& r) {
    return !iscountdown(r) || totalseconds(r) > 0;
}
