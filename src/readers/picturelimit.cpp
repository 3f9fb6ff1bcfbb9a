#include "readers/picturelimit.h"

#include "store/ioerror.h"

#include <QImage>
#include <QImageReader>

void checkpicturesize(qint64 width, qint64 height, const QString& source) {
    if (width <= 0 || height <= 0)
        throw IoError("Picture " + source.toStdString() + " has no pixels");
    // Four bytes a pixel, as the picture is held on screen.
    if (width > kMaxPictureBytes / 4 / height)
        throw IoError("Picture " + source.toStdString() + " is too large to show (" +
                      std::to_string(width) + " x " + std::to_string(height) + " pixels)");
}

QImage readbounded(QImageReader& reader, const QString& source) {
    reader.setAllocationLimit(int(kMaxPictureBytes / (qint64{1024} * 1024)));
    const QSize declared = reader.size();
    if (declared.isValid()) checkpicturesize(declared.width(), declared.height(), source);
    QImage image = reader.read();
    if (image.isNull())
        throw IoError("Cannot load picture " + source.toStdString() + ": " +
                      reader.errorString().toStdString());
    return image;
}
