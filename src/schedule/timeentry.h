#pragma once

#include <QString>

#include <cstdint>

// The editor's four numeric edits (hours, minutes, seconds, display duration): what
// each accepts, what it says when a value is out of range, and what an emptied edit
// is filled with again (minutes when the user enters it, the others when the user
// leaves it).
struct TimeField {
    int32_t low;
    int32_t high;
    const char* message;
    const char* refill;
};

namespace timefield {
extern const TimeField Hours;
extern const TimeField Minutes;
extern const TimeField Seconds;
extern const TimeField Duration;
} // namespace timefield

// The digits of a text, in order, as a number; -1 when there are none or they do not
// fit 32 bits. Everything else in the text is dropped, signs included.
int32_t parsedigits(const QString& text);

// What one check of an edit's text leads to: the text the edit should hold and the
// message to show, empty for none.
struct TimeCheck {
    QString text;
    QString message;
};

// Empty stays empty; a value in range becomes its plain decimal text; anything else
// empties the edit and brings the field's message.
TimeCheck checktime(const TimeField& field, const QString& text);

// The text an edit holds after a refill: its own, or the field's refill when empty.
QString refilled(const TimeField& field, const QString& text);
