#pragma once

#include <QString>

#include <cstddef>
#include <string>

// The one codec of every stored text (records, the settings store, file names).
// A text goes in as Windows-1252 when every character has a byte there, so Latin texts
// keep the bytes every earlier file holds, and as UTF-8 otherwise. Bytes read back as
// UTF-8 when they are valid UTF-8 with a multi-byte sequence, else as Windows-1252.
QString fromansi(const std::string& bytes);
std::string toansi(const QString& text);
// The longest leading part of the text whose stored form fits in `maxbytes`, cut between
// whole characters (a letter keeps its accents, an emoji its joined parts).
std::string toansi(const QString& text, std::size_t maxbytes);
