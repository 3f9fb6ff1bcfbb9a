#pragma once

#include <QImage>
#include <QString>

// The kinds of picture file the program turns into bitmaps, told by the path's ending.
enum class PictureKind { Jpeg, Bitmap, Metafile, Other };

// By the lower-cased last characters: "jpg" and "jpeg" are JPEG, "bmp" a bitmap,
// "wmf" a metafile.
PictureKind picturekind(const QString& path);

// Reads a JPEG, bitmap or metafile at its full size. Raises IoError when the file
// cannot be read or decoded, and for any other kind.
QImage decodepicture(const QString& path);

// Writes `target` as a BMP file from the picture at `source`: JPEG decoded to 24-bit
// colour, a bitmap loaded and saved again, a metafile drawn at its own size. A
// source of any other kind leaves `target` as it was. Raises IoError on failure.
void imagetobitmap(const QString& source, const QString& target);

// Saves `image` as a BMP file, whole or not at all.
void savebitmap(const QImage& image, const QString& target);
