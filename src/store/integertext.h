#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

// Strict text-to-integer conversion: optional sign, decimal digits or $hex, surrounding
// blanks allowed, nothing else, and the value must fit 32 bits.
std::optional<int32_t> parseinteger(const std::string& text);

class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raises "'<text>' is not a valid integer value".
int32_t strtoint(const std::string& text);
