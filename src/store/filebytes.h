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

// Writes `bytes` beside `path` under a temporary name, syncs them to the disk and renames
// them over `path`, so a write that fails (a full disk) or a crash leaves whatever was
// there whole. A new file is the user's alone (less what a stricter umask takes away);
// one replaced keeps its permissions. The one way the program writes a file it keeps.
bool replacefile(const QString& path, const QByteArray& bytes);
