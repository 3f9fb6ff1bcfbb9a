#include "present/pictureloader.h"

#include "store/ioerror.h"

#include <QImageReader>

QImage loadpicture(const QString& path) {
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull())
        throw IoError("Cannot load picture " + path.toStdString() + ": " +
                      reader.errorString().toStdString());
    return image;
}
