#include "schedule/timetext.h"

#include <algorithm>
#include <charconv>

QString secstotext(int64_t seconds, int32_t delta) {
    int64_t t = seconds + delta;
    // Built in place: the tick writes one of these per running row every second.
    char out[48];
    char* end = out;
    auto part = [&end, &out](int64_t value, char unit) {
        end = std::to_chars(end, out + sizeof out - 1, value).ptr;
        *end++ = unit;
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
    return QString::fromLatin1(out, end - out);
}

QString hmstotext(int32_t hours, int32_t minutes, int32_t seconds) {
    const int64_t total = int64_t(hours) * 3600 + int64_t(minutes) * 60 + seconds;
    if (total == 0) return QStringLiteral("0");
    if (total < 0) return QString();
    QString out;
    if (hours > 0) out += QString::number(hours) + QLatin1Char('h');
    if (minutes > 0) out += QString::number(minutes) + QLatin1Char('m');
    if (seconds > 0) out += QString::number(seconds) + QLatin1Char('s');
    return out;
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
    LeftStep next;
    const int64_t n = seconds - by;
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
    const int64_t total = totalseconds(rec);
    if (rec.Active == 1) {
        if (iscountdown(rec)) return countdownstep(currentLeft);
        return untiltext(total, now);
    }
    const QString out = iscountdown(rec) ? secstotext(total, 0) : untiltext(total, now);
    return out.isEmpty() ? QStringLiteral("-") : out;
}

QString currenttimetext(const QTime& t) {
    return QStringLiteral("     Current Time: ") + clocktext(t.toString(QStringLiteral("hh")),
                                                             t.toString(QStringLiteral("mm")),
                                                             t.toString(QStringLiteral("ss")));
}
