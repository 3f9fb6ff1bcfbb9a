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
    const QStringList others = otherpicturesuffixes();
    QString all = QStringLiteral("*.jpg *.jpeg *.bmp *.wmf");
    QString each;
    for (const QString& suffix : others) {
        all += QStringLiteral(" *.") + suffix;
        each += QStringLiteral(";;%1 Image File (*.%2)").arg(suffix.toUpper(), suffix);
    }
    return QStringLiteral("All (") + all +
           QStringLiteral(");;JPEG Image File (*.jpg);;JPEG Image File (*.jpeg);;"
                          "Bitmaps (*.bmp);;Metafiles (*.wmf)") +
           each;
}

bool choosableimage(const QString& path) {
    return showablepicture(path) && choosablefile(path);
}
