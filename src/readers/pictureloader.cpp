#include "readers/pictureloader.h"

#include "readers/imageconvert.h"

QImage loadpicture(const QString& path) {
    return decodepicturebytes(readpicturefile(path), picturekind(path), path);
}
