#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The colour names stored in FontColor and their colours.
struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

struct NamedColor {
    const char* name;
    Rgb rgb;
};

// The 20 named colours, in the order the editor lists them.
const std::vector<NamedColor>& colornames();

// The name stored when no colour is chosen; it stands for the desktop's scroll-bar colour.
inline constexpr const char* kScrollBarName = "clScrollBar";

// Name or number to colour, as the stored texts are read back: one of the 20 names,
// "clScrollBar" (given by the caller, as only the desktop knows it), or an integer in
// decimal or $hex holding 0x00BBGGRR. Anything else raises the integer conversion error.
Rgb stringtocolor(const std::string& text, Rgb scrollBar);
std::optional<std::string> colortoname(Rgb rgb);
// Whether stringtocolor reads the text without an error.
bool iscolortext(const std::string& text);
