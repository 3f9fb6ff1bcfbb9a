#include "ui/widgets/filechoice.h"

#include "readers/imageconvert.h"
#include "store/ansitext.h"

#include <QFileInfo>

bool storablepath(const QString& path) {
    const std::string stored = toansi(path);
    return stored.size() <= 255 && fromansi(stored) == path;
}

bool choosablefile(const QString& path) {
    return QFileInfo(path).isFile() && storablepath(path);
}

QString imagefilter() {
    QString filter = QStringLiteral("All (*.jpg;*.jpeg;*.bmp;*.wmf);;JPEG Image File (*.jpg);;"
                                    "JPEG Image File (*.jpeg);;Bitmaps (*.bmp);;Metafiles (*.wmf)");
    // The other types the program reads come after the usual ones.
    for (const QString& suffix : otherpicturesuffixes())
        filter += QStringLiteral(";;%1 Image File (*.%2)").arg(suffix.toUpper(), suffix);
    return filter;
}

bool choosableimage(const QString& path) {
    return showablepicture(path) && choosablefile(path);
}
