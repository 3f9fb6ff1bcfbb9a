#pragma once

#include <QByteArray>
#include <QImage>

// A JPEG file's bytes decoded at full size into 24-bit colour. A damaged or cut-off
// file raises IoError naming `source`; libjpeg never ends the process.
QImage decodejpeg(const QByteArray& bytes, const QString& source);
