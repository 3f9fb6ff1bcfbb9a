#include "store/shortstring.h"

#include <algorithm>
#include <cstring>

namespace bytes {

void putint32(uint8_t* at, int32_t value) {
    const auto u = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<uint8_t>(u >> (8 * i));
}

int32_t getint32(const uint8_t* at) {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<uint32_t>(at[i]) << (8 * i);
    return static_cast<int32_t>(u);
}

void putint64(uint8_t* at, int64_t value) {
    const auto u = static_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i)
        at[i] = static_cast<uint8_t>(u >> (8 * i));
}

int64_t getint64(const uint8_t* at) {
    uint64_t u = 0;
    for (int i = 0; i < 8; ++i)
        u |= static_cast<uint64_t>(at[i]) << (8 * i);
    return static_cast<int64_t>(u);
}

void putshortstring(uint8_t* at, std::size_t max, const std::string& text) {
    const std::size_t n = std::min(max, text.size());
    std::memset(at, 0, max + 1);
    at[0] = static_cast<uint8_t>(n);
    // A length-prefixed string, not a C string: no terminator follows it.
    std::memcpy(at + 1, text.data(), n); // NOLINT(bugprone-not-null-terminated-result)
}

std::string getshortstring(const uint8_t* at, std::size_t max) {
    const std::size_t n = std::min<std::size_t>(at[0], max);
    return std::string(reinterpret_cast<const char*>(at + 1), n);
}

} // namespace bytes
