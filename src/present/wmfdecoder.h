#pragma once

#include <QByteArray>
#include <QImage>

// A Windows metafile drawn at its own size (its frame at 96 pixels per inch) on a
// white bitmap. A file libwmf cannot read raises IoError naming `source`.
QImage renderwmf(const QByteArray& bytes, const QString& source);
