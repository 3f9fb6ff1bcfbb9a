#include "present/pictureloader.h"

#include "present/imageconvert.h"

QImage loadpicture(const QString& path) {
    return decodepicturebytes(readpicturefile(path), picturekind(path), path);
}
