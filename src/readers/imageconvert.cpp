#include "readers/imageconvert.h"

#include "readers/jpegdecoder.h"
#include "readers/picturelimit.h"
#include "readers/wmfrender.h"
#include "store/filebytes.h"
#include "store/ioerror.h"
#include "store/privatefiles.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>

QByteArray readpicturefile(const QString& path) {
    // A file larger than the largest picture's pixels plus its headers holds none we show.
    const auto bytes = readregularfile(path, kMaxPictureBytes + qint64{1024} * 1024);
    if (!bytes)
        throw IoError("Cannot read picture " + path.toStdString() +
                      ": not a readable file of a picture's size");
    return *bytes;
}

PictureKind picturekind(const QString& path) {
    const QString lower = path.toLower();
    if (lower.endsWith(u"jpg") || lower.endsWith(u"jpeg")) return PictureKind::Jpeg;
    if (lower.endsWith(u"bmp")) return PictureKind::Bitmap;
    if (lower.endsWith(u"wmf")) return PictureKind::Metafile;
    return PictureKind::Other;
}

QImage decodepicture(const QString& path) {
    const PictureKind kind = picturekind(path);
    if (kind == PictureKind::Other)
        throw IoError("Picture " + path.toStdString() + " is not a JPEG, bitmap or metafile");
    return decodepicturebytes(readpicturefile(path), kind, path);
}

QImage decodepicturebytes(const QByteArray& bytes, PictureKind kind, const QString& source) {
    switch (kind) {
    case PictureKind::Jpeg:
        return decodejpeg(bytes, source);
    case PictureKind::Metafile:
        return renderwmf(bytes, source);
    case PictureKind::Bitmap:
    case PictureKind::Other:
        break;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    // Any other kind is told by its content.
    QImageReader reader(&buffer, kind == PictureKind::Bitmap ? "bmp" : "");
    return readbounded(reader, source);
}

QStringList otherpicturesuffixes() {
    QStringList out;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        const QString suffix = QString::fromLatin1(format).toLower();
        if (picturekind(QLatin1Char('.') + suffix) == PictureKind::Other) out << suffix;
    }
    return out;
}

bool showablepicture(const QString& path) {
    if (picturekind(path) != PictureKind::Other) return true;
    return otherpicturesuffixes().contains(QFileInfo(path).suffix().toLower());
}

void imagetobitmap(const QString& source, const QString& target) {
    if (!showablepicture(source)) return;
    savebitmap(decodepicturebytes(readpicturefile(source), picturekind(source), source), target);
}

void savebitmap(const QImage& image, const QString& target) {
    QSaveFile file(target);
    // A copy of the user's picture in the program's folder: the user's alone.
    if (file.open(QIODevice::WriteOnly) && file.setPermissions(kOwnerOnly) &&
        image.save(&file, "BMP") && file.commit())
        return;
    QString why = file.errorString();
    if (why.isEmpty()) why = QStringLiteral("the picture could not be encoded");
    throw IoError("Cannot write bitmap " + target.toStdString() + ": " + why.toStdString());
}
