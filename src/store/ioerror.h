#pragma once

#include <stdexcept>
#include <string>

// The one error type of record and file operations; its text is what the user sees.
class IoError : public std::runtime_error {
public:
    explicit IoError(const std::string& what) : std::runtime_error(what) {}
};
