#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// A time as the editor's three fields hold it: hours 0-23, minutes and seconds 0-59.
struct HmsFields {
    int32_t hours = 0, minutes = 0, seconds = 0;
    bool operator==(const HmsFields&) const = default;
};

// A countdown typed as "90s", "25m", "1h30m", "1h2m3s" or "H:MM:SS": from 1 second up to
// the editor's longest, 23h59m59s, spread over the fields. As on a clock, minutes and
// seconds after a larger unit are below 60 (1h90m is refused, 90m is not). Nothing for
// any other text.
std::optional<HmsFields> parseduration(const QString& text);
// A time of day typed as "HH:MM" or "HH:MM:SS" on the 24-hour clock. Nothing otherwise.
std::optional<HmsFields> parsetimeofday(const QString& text);
