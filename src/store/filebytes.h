#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Files by name, the name's bytes as the system holds them (`store/nativename.h`).

// The whole contents of a regular file of at most `maxBytes`, or nothing: a missing
// or unreadable file, a FIFO, a device (a link to /dev/zero), or a larger file.
// Reading a FIFO or a device could wait or run forever, so neither is read.
std::optional<QByteArray> readregularfile(const QString& path, qint64 maxBytes);

// Whether `path` names a regular file (after links); FIFOs and devices are not.
bool isregularfile(const QString& path);

// Writes `bytes` beside `path` under a temporary name and renames it over `path`, so a
// write that fails (a full disk) leaves whatever was there whole. A new file is the
// user's alone (0600); one replaced keeps its permissions.
bool replacefile(const QString& path, const QByteArray& bytes);
