#include "ui/filechoice.h"

#include "present/imageconvert.h"
#include "store/ansitext.h"

#include <QFileInfo>

bool storablepath(const QString& path) {
    const std::string stored = toansi(path);
    return stored.size() <= 255 && fromansi(stored) == path;
}

bool choosablefile(const QString& path) {
    return QFileInfo(path).isFile() && storablepath(path);
}

bool choosableimage(const QString& path) {
    return picturekind(path) != PictureKind::Other && choosablefile(path);
}
