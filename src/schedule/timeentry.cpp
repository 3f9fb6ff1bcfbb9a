#include "schedule/timeentry.h"

#include <limits>

namespace timefield {
const TimeField Hours{0, 23, "Must be between 0 - 23", "0"};
const TimeField Minutes{0, 59, "Must be between 0 - 59", "0"};
const TimeField Seconds{0, 59, "Must be between 0 - 59", "0"};
const TimeField Duration{1, 59, "Must be between 1 - 59", "5"};
} // namespace timefield

int32_t parsedigits(const QString& text) {
    int64_t value = 0;
    bool any = false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) continue;
        any = true;
        value = value * 10 + (c.unicode() - '0');
        if (value > std::numeric_limits<int32_t>::max()) return -1;
    }
    return any ? static_cast<int32_t>(value) : -1;
}

TimeCheck checktime(const TimeField& field, const QString& text) {
    if (text.isEmpty()) return {text, QString()};
    const int32_t value = parsedigits(text);
    if (value < field.low || value > field.high)
        return {QString(), QString::fromLatin1(field.message)};
    return {QString::number(value), QString()};
}

QString refilled(const TimeField& field, const QString& text) {
    return text.isEmpty() ? QString::fromLatin1(field.refill) : text;
}
