#include "ui/filechoice.h"

#include "present/imageconvert.h"
#include "store/ansitext.h"

#include <QFileInfo>

bool storablepath(const QString& path) {
    return path.size() <= 255 && fromansi(toansi(path)) == path;
}

bool choosablefile(const QString& path) {
    return QFileInfo(path).isFile() && storablepath(path);
}

bool choosableimage(const QString& path) {
    return picturekind(path) != PictureKind::Other && choosablefile(path);
}
