#pragma once

#include <QImage>
#include <QString>

// The one picture loader: JPEG, BMP and WMF files (and what else Qt reads) into an
// image. A damaged or unreadable file raises IoError with a clear text.
QImage loadpicture(const QString& path);
