#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The whole contents of a regular file of at most `maxBytes`, or nothing: a missing
// or unreadable file, a FIFO, a device (a link to /dev/zero), or a larger file.
// Reading a FIFO or a device could wait or run forever, so neither is opened.
std::optional<QByteArray> readregularfile(const QString& path, qint64 maxBytes);

// Whether `path` names a regular file (after links); FIFOs and devices are not.
bool isregularfile(const QString& path);
