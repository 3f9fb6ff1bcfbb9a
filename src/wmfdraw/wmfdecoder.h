#pragma once

#include <QByteArray>
#include <QImage>

// A Windows metafile drawn here, in this process, at its own size (its frame at 96
// pixels per inch) on a white bitmap. The header is checked against the file before
// libwmf sees it; a file it cannot read raises IoError naming `source`. A damaged
// file may still take long: the program draws through renderwmf (wmfrender.h).
QImage drawmetafile(const QByteArray& bytes, const QString& source);
