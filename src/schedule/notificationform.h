#pragma once

#include "store/notificationrecord.h"

#include <QString>
#include <QStringList>

// What the editor's controls hold, as plain values: the text of each edit, the text
// of each drop-down list's selection (empty when nothing is selected) and each check
// box. The editor window reads its controls into this and fills them from it.
struct NotificationForm {
    QString messageText;
    bool displayText = false;
    QString textDisplayType;
    QString fontName;
    QString fontSize;
    QString fontColor; // empty: no colour selected
    bool fontItalic = false;
    bool fontBold = false;
    bool fontUnderline = false;
    QString imageFile;
    bool displayImage = false;
    QString imageDisplayType;
    QString wallpaperStyle;
    QString audioFile;
    bool playAudio = false;
    QString timerType;
    QString hours;
    QString minutes;
    QString seconds;
    bool repeat = false;
    QString displayDuration;
    bool fade = false;

    bool operator==(const NotificationForm&) const = default;
};

// Apply arms a Notification by its timer; Preview and a new Notification store it off.
enum class ActiveFrom { Timer, Off };

// The one rule that turns the editor's controls into a record. Numbers are converted
// strictly (font size, hours, minutes, seconds, display duration, in that order); the
// first text that is no integer raises ConversionError and nothing is built.
TNotificationRecord formtorecord(const NotificationForm& form, ActiveFrom active);

// The controls' values for a stored record, before the drop-down lists pick their items.
NotificationForm recordtoform(const TNotificationRecord& rec);

// The values a new Notification starts with.
NotificationForm defaultform();

// The drop-down lists' contents, in the order shown.
QStringList fontsizes();
QStringList textdisplaytypes();
QStringList imagedisplaytypes();
QStringList wallpaperstyles();
QStringList timertypes();

// The item a drop-down list selects for a text: the first whose whole text equals it
// without regard to case; -1 for none.
int matchitem(const QStringList& items, const QString& text);
