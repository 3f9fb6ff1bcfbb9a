#include "schedule/notificationform.h"
#include "store/integertext.h"

#include <gtest/gtest.h>

namespace {
std::string conversionerror(const NotificationForm& f) {
    try {
        formtorecord(f, ActiveFrom::Timer);
    } catch (const ConversionError& e) {
        return e.what();
    }
    return "no error";
}
} // namespace

TEST(FormToRecord, ActiveFollowsTheTimerOnlyForApply) {
    NotificationForm f = defaultform();
    EXPECT_EQ(formtorecord(f, ActiveFrom::Timer).Active, 0) << "a countdown of nothing";
    f.seconds = "1";
    EXPECT_EQ(formtorecord(f, ActiveFrom::Timer).Active, 1);
    EXPECT_EQ(formtorecord(f, ActiveFrom::Off).Active, 0);
    f.seconds = "0";
    f.timerType = "";
    EXPECT_EQ(formtorecord(f, ActiveFrom::Timer).Active, 1) << "anything else is a certain time";
}

TEST(FormToRecord, TextsAreCutToTheirFields) {
    NotificationForm f = defaultform();
    f.messageText = QString(300, 'm');
    f.imageFile = QString(300, 'i');
    f.audioFile = QString(300, 'a');
    f.fontName = "A Very Long Font Family Name";
    f.textDisplayType = QString(30, 't');
    f.imageDisplayType = QString(50, 'd');
    f.wallpaperStyle = "Stretched!";
    f.timerType = QString(25, 'c');
    f.fontColor = QString(25, 'k');
    const TNotificationRecord r = formtorecord(f, ActiveFrom::Timer);
    EXPECT_EQ(r.MessageText, std::string(255, 'm'));
    EXPECT_EQ(r.ImageFile, std::string(255, 'i'));
    EXPECT_EQ(r.AudioFile, std::string(255, 'a'));
    EXPECT_EQ(r.FontName, "A Very Long Font Fam");
    EXPECT_EQ(r.TextDisplayType.size(), 20u);
    EXPECT_EQ(r.ImageDisplayType.size(), 40u);
    EXPECT_EQ(r.WallpaperStyle, "Stretche");
    EXPECT_EQ(r.TimerType.size(), 20u);
    EXPECT_EQ(r.FontColor.size(), 20u);
}

TEST(FormToRecord, NumbersAreStrictAndTheFirstBadOneIsNamed) {
    NotificationForm f = defaultform();
    f.minutes = "";
    EXPECT_EQ(conversionerror(f), "'' is not a valid integer value");
    f.minutes = "0";
    f.hours = "1h";
    f.displayDuration = "x";
    EXPECT_EQ(conversionerror(f), "'1h' is not a valid integer value");
    f.hours = "1";
    EXPECT_EQ(conversionerror(f), "'x' is not a valid integer value");
}

TEST(FormToRecord, RecordComesBackThroughTheForm) {
    TNotificationRecord r = formtorecord(defaultform(), ActiveFrom::Off);
    r.Hours = 7;
    r.FontItalic = 1;
    r.ImageFile = "/home/u/caf\xe9.jpg"; // single-byte e-acute
    EXPECT_EQ(formtorecord(recordtoform(r), ActiveFrom::Off), r);
    EXPECT_EQ(recordtoform(r).imageFile, QString::fromUtf8("/home/u/café.jpg"));
    r.Fade = 2;
    EXPECT_FALSE(recordtoform(r).fade) << "only a flag of exactly 1 is on";
}
