#include "store/colortable.h"

#include "store/integertext.h"

const std::vector<NamedColor>& colornames() {
    static const std::vector<NamedColor> table = {
        {"clBlack", {0, 0, 0}},
        {"clMaroon", {128, 0, 0}},
        {"clGreen", {0, 128, 0}},
        {"clOlive", {128, 128, 0}},
        {"clNavy", {0, 0, 128}},
        {"clPurple", {128, 0, 128}},
        {"clTeal", {0, 128, 128}},
        {"clGray", {128, 128, 128}},
        {"clSilver", {192, 192, 192}},
        {"clRed", {255, 0, 0}},
        {"clLime", {0, 255, 0}},
        {"clYellow", {255, 255, 0}},
        {"clBlue", {0, 0, 255}},
        {"clFuchsia", {255, 0, 255}},
        {"clAqua", {0, 255, 255}},
        {"clWhite", {255, 255, 255}},
        {"clMoneyGreen", {192, 220, 192}},
        {"clSkyBlue", {166, 202, 240}},
        {"clCream", {255, 251, 240}},
        {"clMedGray", {160, 160, 164}},
    };
    return table;
}

namespace {
// The names are ASCII; so is their case, whatever the locale. Opening a list checks the
// colour of every row against every name.
char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameIgnoringCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return i == a.size() && !b[i];
}
} // namespace

bool iscolortext(const std::string& text) {
    for (const auto& c : colornames())
        if (sameIgnoringCase(text, c.name)) return true;
    return sameIgnoringCase(text, kScrollBarName) || parseinteger(text).has_value();
}

Rgb stringtocolor(const std::string& text, Rgb scrollBar) {
    for (const auto& c : colornames())
        if (sameIgnoringCase(text, c.name)) return c.rgb;
    if (sameIgnoringCase(text, kScrollBarName)) return scrollBar;
    const int32_t v = strtoint(text);
    return Rgb{static_cast<uint8_t>(v & 0xff), static_cast<uint8_t>((v >> 8) & 0xff),
               static_cast<uint8_t>((v >> 16) & 0xff)};
}

std::optional<std::string> colortoname(Rgb rgb) {
    for (const auto& c : colornames())
        if (c.rgb == rgb) return std::string(c.name);
    return std::nullopt;
}
