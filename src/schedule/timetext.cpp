#include "schedule/timetext.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace {
// Texts built in place, one character at a time: the tick and the opening of a list write
// some for every row.
struct TextBuffer {
    char out[64];
    char* end = out;
    void number(int64_t value) { end = std::to_chars(end, out + sizeof out, value).ptr; }
    void put(char c) { *end++ = c; }
    QString text() const { return QString::fromLatin1(out, end - out); }
};
} // namespace

QString secstotext(int64_t seconds, int32_t delta) {
    int64_t t = seconds + delta;
    TextBuffer b;
    auto part = [&b](int64_t value, char unit) {
        b.number(value);
        b.put(unit);
    };
    if (t > 3600) {
        part(t / 3600, 'h');
        t -= (t / 3600) * 3600;
    }
    if (t > 60) {
        part(t / 60, 'm');
        t -= (t / 60) * 60;
    }
    if (t > 0) part(t, 's');
    return b.text();
}

QString hmstotext(int32_t hours, int32_t minutes, int32_t seconds) {
    const int64_t total = int64_t(hours) * 3600 + int64_t(minutes) * 60 + seconds;
    if (total == 0) return QStringLiteral("0");
    if (total < 0) return QString();
    TextBuffer b;
    for (const auto& [value, unit] : {std::pair{hours, 'h'}, {minutes, 'm'}, {seconds, 's'}}) {
        if (value <= 0) continue;
        b.number(value);
        b.put(unit);
    }
    return b.text();
}

namespace {
QString padTwo(const QString& s) {
    if (s.size() == 1) return QLatin1Char('0') + s;
    if (s.size() == 2) return s;
    return QString();
}

bool isInteger(QStringView s, int* value) {
    if (s.isEmpty()) return false;
    bool ok = false;
    *value = s.toInt(&ok);
    // A sign alone or blanks are not integers; toInt rejects them already.
    return ok;
}

// The value of one part of a unit text; at most two digits are read.
int partValue(const QString& text, QChar letter) {
    const qsizetype p = text.indexOf(letter) + 1; // 1-based, 0 when absent
    if (p == 0) return 0;
    QStringView taken;
    const qsizetype from = p <= 2 ? 0 : p - 3; // 0-based start of the two characters
    QStringView two = QStringView(text).mid(from, 2);
    int value = 0;
    if (!two.contains(letter) && isInteger(two, &value)) return value;
    if (p >= 2) {
        taken = QStringView(text).mid(p - 2, 1);
        if (isInteger(taken, &value)) return value;
    }
    return 0;
}
} // namespace

QString clocktext(const QString& hours, const QString& minutes, const QString& seconds) {
    return padTwo(hours) + QLatin1Char(':') + padTwo(minutes) + QLatin1Char(':') + padTwo(seconds);
}

QString clocktext(int32_t hours, int32_t minutes, int32_t seconds) {
    TextBuffer b;
    const auto part = [&b](int32_t value) {
        char digits[16];
        char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        const auto n = end - digits;
        if (n == 1) b.put('0');
        if (n <= 2) b.end = std::copy(digits, end, b.end); // padTwo: longer ones read as empty
    };
    part(hours);
    b.put(':');
    part(minutes);
    b.put(':');
    part(seconds);
    return b.text();
}

int32_t secsnow(const QTime& t) {
    return t.second() + t.minute() * 60 + t.hour() * 3600;
}

int32_t unittextseconds(const QString& text) {
    const int h = partValue(text, QLatin1Char('h'));
    const int m = partValue(text, QLatin1Char('m'));
    const int s = partValue(text, QLatin1Char('s'));
    return h * 3600 + m * 60 + s;
}

QString countdownstep(const QString& text) {
    return secstotext(unittextseconds(text), -1);
}

LeftStep steppedleft(int32_t seconds, int64_t by) {
    return leftreading(seconds - by);
}

LeftStep leftreading(int64_t n) {
    LeftStep next;
    if (n <= 0) {
        next.due = true;
        return next;
    }
    // Below 100 hours a text reads back as the seconds it was written from; above,
    // the two-digit reading drops digits, so the text itself is read.
    constexpr int32_t kReadBack = 100 * 3600;
    if (n < kReadBack) {
        next.seconds = static_cast<int32_t>(n);
        return next;
    }
    next.longtext = secstotext(n, 0);
    next.seconds = unittextseconds(next.longtext);
    return next;
}

QString untiltext(int64_t total, const QTime& now) {
    int64_t d = total - secsnow(now);
    if (d < 0) d += 86400;
    return secstotext(d, 0);
}

QString lefttext(const TNotificationRecord& rec, const QString& currentLeft, const QTime& now) {
    if (rec.Active != 1) return idlelefttext(rec, now);
    if (iscountdown(rec)) return countdownstep(currentLeft);
    return untiltext(totalseconds(rec), now);
}

QString idlelefttext(const TNotificationRecord& rec, const QTime& now) {
    const int64_t total = totalseconds(rec);
    const QString out = iscountdown(rec) ? secstotext(total, 0) : untiltext(total, now);
    return out.isEmpty() ? QStringLiteral("-") : out;
}

QString currenttimetext(const QTime& t) {
    // Written out without the locale's formatter: the clock's text is made every second.
    return QStringLiteral("     Current Time: ") +
           (t.isValid() ? clocktext(t.hour(), t.minute(), t.second())
                        : clocktext(QString(), QString(), QString()));
}
