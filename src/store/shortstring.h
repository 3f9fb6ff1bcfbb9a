#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Little-endian field access on fixed-layout records. Strings are single-byte
// characters kept as raw bytes in std::string.
namespace bytes {

void putint32(uint8_t* at, int32_t value);
int32_t getint32(const uint8_t* at);
void putint64(uint8_t* at, int64_t value);
int64_t getint64(const uint8_t* at);

// A short string of at most `max` characters occupies max + 1 bytes: a length byte,
// then the characters. Longer texts are cut; unused bytes are written as 0.
void putshortstring(uint8_t* at, std::size_t max, const std::string& text);
// A length byte larger than the field is read as the field's full length.
std::string getshortstring(const uint8_t* at, std::size_t max);

} // namespace bytes
