#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// The kinds of picture file the program turns into bitmaps, told by the path's ending.
enum class PictureKind { Jpeg, Bitmap, Metafile, Other };

// By the lower-cased last characters: "jpg" and "jpeg" are JPEG, "bmp" a bitmap,
// "wmf" a metafile.
PictureKind picturekind(const QString& path);

// Endings of the other pictures Qt's readers take (png, gif, ...), lower case.
QStringList otherpicturesuffixes();
// A JPEG, bitmap or metafile, or another picture Qt reads, by the path's ending.
bool showablepicture(const QString& path);

// Reads a JPEG, bitmap or metafile at its full size. Raises IoError when the file
// cannot be read or decoded, and for any other kind.
QImage decodepicture(const QString& path);

// Writes `target` as a BMP file from the picture at `source`: JPEG decoded to 24-bit
// colour, a bitmap loaded and saved again, a metafile drawn at its own size, another
// showable picture read by Qt. Any other source leaves `target` as it was. Raises
// IoError on failure.
void imagetobitmap(const QString& source, const QString& target);

// The bytes of a picture file; a FIFO, a device or an oversized file raises IoError.
QByteArray readpicturefile(const QString& path);
// A picture's bytes decoded as `kind`; Other is whatever Qt's readers recognise.
QImage decodepicturebytes(const QByteArray& bytes, PictureKind kind, const QString& source);

// Saves `image` as a BMP file, whole or not at all.
void savebitmap(const QImage& image, const QString& target);
