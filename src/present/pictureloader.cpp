#include "present/pictureloader.h"

#include "present/imageconvert.h"
#include "store/ioerror.h"

#include <QImageReader>

QImage loadpicture(const QString& path) {
    if (picturekind(path) != PictureKind::Other) return decodepicture(path);
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull())
        throw IoError("Cannot load picture " + path.toStdString() + ": " +
                      reader.errorString().toStdString());
    return image;
}
