#pragma once

#include <QString>

#include <string>

// Record texts are single-byte Windows-1252 characters; the screen speaks Unicode.
QString fromansi(const std::string& bytes);
// Characters without a single-byte form become '?'.
std::string toansi(const QString& text);
