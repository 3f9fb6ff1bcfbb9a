#pragma once

#include <QImage>
#include <QString>

class QImageReader;

// A picture's pixels may take at most this many bytes, the bound Qt's own image
// readers use. The size a file declares is checked against it before anything is
// allocated, so a few hundred damaged bytes cannot ask for gigabytes.
inline constexpr qint64 kMaxPictureBytes = 128LL * 1024 * 1024;

// Raises IoError naming `source` when a picture of this size is empty or too large.
void checkpicturesize(qint64 width, qint64 height, const QString& source);

// Reads through one of Qt's readers with the size checked first.
QImage readbounded(QImageReader& reader, const QString& source);
