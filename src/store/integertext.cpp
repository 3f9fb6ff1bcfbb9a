#include "store/integertext.h"

#include <cctype>

std::optional<int32_t> parseinteger(const std::string& text) {
    std::size_t i = 0, end = text.size();
    while (i < end && text[i] == ' ')
        ++i;
    while (end > i && text[end - 1] == ' ')
        --end;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i < end && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < end && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= end) return std::nullopt;
    int64_t value = 0;
    for (; i < end; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int digit;
        if (std::isdigit(c))
            digit = c - '0';
        else if (base == 16 && std::isxdigit(c))
            digit = std::tolower(c) - 'a' + 10;
        else
            return std::nullopt;
        value = value * base + digit;
        if (value > (base == 16 ? 0xffffffffLL : 2147483648LL)) return std::nullopt;
    }
    if (base == 16) return static_cast<int32_t>(static_cast<uint32_t>(negative ? -value : value));
    if (negative) value = -value;
    if (value > 2147483647LL) return std::nullopt;
    return static_cast<int32_t>(value);
}

int32_t strtoint(const std::string& text) {
    if (auto v = parseinteger(text)) return *v;
    throw ConversionError("'" + text + "' is not a valid integer value");
}
