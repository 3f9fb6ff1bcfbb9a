#pragma once

#include "store/notificationrecord.h"

#include <QString>
#include <QTime>

class RowTable;

// Unit texts ("1h2m3s") and clock texts ("09:05:00"). A running countdown's
// remaining time lives only as its row's unit text, so secstotext and
// countdownstep are a matched pair; their odd forms (3600 -> "60m") are deliberate.
QString secstotext(int64_t seconds, int32_t delta);
QString hmstotext(int32_t hours, int32_t minutes, int32_t seconds);
QString clocktext(const QString& hours, const QString& minutes, const QString& seconds);
// clocktext of the three numbers written out, without the texts in between.
QString clocktext(int32_t hours, int32_t minutes, int32_t seconds);
int32_t secsnow(const QTime& now);
QString countdownstep(const QString& text);
// The seconds countdownstep reads from a unit text (at most two digits a part).
int32_t unittextseconds(const QString& text);
// countdownstep on the seconds already read from the text: the seconds a later step will
// read from the next text, and that text. Below 100 hours the text is secstotext(seconds,
// 0) and is left to whoever shows it; from there up it says more than its seconds and is
// made here.
struct LeftStep {
    int32_t seconds = 0;
    bool due = false; // nothing is left: the next text is empty
    QString longtext; // from 100 hours up only
    QString text() const { return due || !longtext.isEmpty() ? longtext : secstotext(seconds, 0); }
};
// `by` seconds at once (a gap between ticks) read as one step.
LeftStep steppedleft(int32_t seconds, int64_t by = 1);
// The reading of a countdown `seconds` from its end, as its "Left" text shows them.
LeftStep leftreading(int64_t seconds);
// The unit text of the time until a time of day next comes round; empty at that second.
QString untiltext(int64_t total, const QTime& now);

// The "Left" text of a Notification. For an active countdown `currentLeft` is the
// row's present "Left" text; an empty result of an active one means it is due.
QString lefttext(const TNotificationRecord& rec, const QString& currentLeft, const QTime& now);
// lefttext of the Notification as if it were not active: its full time, "-" for none.
QString idlelefttext(const TNotificationRecord& rec, const QTime& now);

// "     Current Time: 09:05:00" for the status bar.
QString currenttimetext(const QTime& now);
