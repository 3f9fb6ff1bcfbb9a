#pragma once

#include "store/notificationrecord.h"

#include <string>
#include <utility>

// A Notification as a test needs it, named by what it does:
// `SampleRecord("Tea").countdown(30).active().lasting(5)`. It starts as its text alone:
// nothing shown, heard or armed, no time; each step sets the fields of one part.
class SampleRecord {
public:
    explicit SampleRecord(std::string text = "Tea") { r_.MessageText = std::move(text); }

    // A timer of `type` ("Countdown", "Certain time" or anything a file may hold).
    SampleRecord& timer(std::string type, int hours, int minutes, int seconds) {
        r_.TimerType = std::move(type);
        r_.Hours = hours;
        r_.Minutes = minutes;
        r_.Seconds = seconds;
        return *this;
    }
    // A countdown of `seconds`, spread over hours, minutes and seconds.
    SampleRecord& countdown(int seconds) {
        return timer(codes::Countdown, seconds / 3600, seconds / 60 % 60, seconds % 60);
    }
    SampleRecord& at(int hours, int minutes = 0, int seconds = 0) {
        return timer(codes::CertainTime, hours, minutes, seconds);
    }
    SampleRecord& active(bool on = true) { return flag(r_.Active, on); }
    SampleRecord& repeating(bool on = true) { return flag(r_.RepeatFlag, on); }
    SampleRecord& fading(bool on = true) { return flag(r_.Fade, on); }
    // Shown for `seconds` when it fires.
    SampleRecord& lasting(int seconds) {
        r_.DisplayDuration = seconds;
        return *this;
    }
    // Its text shown as `type`, in a font.
    SampleRecord& text(std::string type, std::string font = "DejaVu Sans", int size = 20,
                       std::string colour = "clBlue") {
        r_.DisplayText = 1;
        r_.TextDisplayType = std::move(type);
        r_.FontName = std::move(font);
        r_.FontSize = size;
        r_.FontColor = std::move(colour);
        return *this;
    }
    SampleRecord& picture(std::string file, std::string type, std::string wallpaper = codes::Tile) {
        r_.DisplayImage = 1;
        r_.ImageFile = std::move(file);
        r_.ImageDisplayType = std::move(type);
        r_.WallpaperStyle = std::move(wallpaper);
        return *this;
    }
    SampleRecord& sound(std::string file) {
        r_.PlayAudio = 1;
        r_.AudioFile = std::move(file);
        return *this;
    }

    TNotificationRecord record() const { return r_; }
    operator TNotificationRecord() const { return r_; } // NOLINT(google-explicit-constructor)

private:
    SampleRecord& flag(uint8_t& field, bool on) {
        field = on ? 1 : 0;
        return *this;
    }

    TNotificationRecord r_;
};
