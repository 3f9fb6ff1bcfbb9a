#include "schedule/timeinput.h"

#include <QStringList>

namespace {

constexpr int64_t kLongestCountdown = 23 * 3600 + 59 * 60 + 59;

// A run of ASCII digits of bounded length, so no text can overflow the sum.
std::optional<int64_t> digits(QStringView text, int most) {
    if (text.isEmpty() || text.size() > most) return std::nullopt;
    int64_t value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

HmsFields fields(int64_t total) {
    return {static_cast<int32_t>(total / 3600), static_cast<int32_t>(total / 60 % 60),
            static_cast<int32_t>(total % 60)};
}

// "H:MM:SS" or "HH:MM[:SS]": each part's digits, minutes and seconds two digits below 60.
std::optional<HmsFields> clockparts(const QString& text, bool secondsrequired) {
    const QStringList parts = text.split(u':');
    if (parts.size() != 3 && (secondsrequired || parts.size() != 2)) return std::nullopt;
    const auto hours = digits(parts[0], 2);
    if (!hours || *hours > 23) return std::nullopt;
    HmsFields f{static_cast<int32_t>(*hours), 0, 0};
    for (int i = 1; i < parts.size(); ++i) {
        const auto v = parts[i].size() == 2 ? digits(parts[i], 2) : std::nullopt;
        if (!v || *v > 59) return std::nullopt;
        (i == 1 ? f.minutes : f.seconds) = static_cast<int32_t>(*v);
    }
    return f;
}

} // namespace

std::optional<HmsFields> parseduration(const QString& text) {
    int64_t total = 0;
    if (text.contains(u':')) {
        const auto f = clockparts(text, true);
        if (!f) return std::nullopt;
        total = f->hours * 3600 + f->minutes * 60 + f->seconds;
    } else {
        // Units in the order h, m, s, each at most once.
        const QString units = QStringLiteral("hms");
        qsizetype next = 0, start = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype unit = units.indexOf(text[i]);
            if (unit < 0) continue;
            const auto v =
                unit >= next ? digits(QStringView(text).mid(start, i - start), 6) : std::nullopt;
            // Below a larger unit, as on a clock: 1h30m, not 1h90m.
            if (!v || (next > 0 && *v > 59)) return std::nullopt;
            total += *v * (unit == 0 ? 3600 : unit == 1 ? 60 : 1);
            next = unit + 1;
            start = i + 1;
        }
        if (start != text.size() || next == 0) return std::nullopt;
    }
    if (total < 1 || total > kLongestCountdown) return std::nullopt;
    return fields(total);
}

std::optional<HmsFields> parsetimeofday(const QString& text) {
    return clockparts(text, false);
}
