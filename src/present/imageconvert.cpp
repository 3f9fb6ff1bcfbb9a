#include "present/imageconvert.h"

#include "present/jpegdecoder.h"
#include "present/wmfdecoder.h"
#include "store/ioerror.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QSaveFile>

namespace {
QByteArray readall(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError("Cannot open picture " + path.toStdString() + ": " +
                      file.errorString().toStdString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw IoError("Cannot read picture " + path.toStdString() + ": " +
                      file.errorString().toStdString());
    return bytes;
}

QImage decodebitmap(const QByteArray& bytes, const QString& source) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "bmp");
    QImage image = reader.read();
    if (image.isNull())
        throw IoError("Bitmap " + source.toStdString() +
                      " cannot be read: " + reader.errorString().toStdString());
    return image;
}
} // namespace

PictureKind picturekind(const QString& path) {
    const QString lower = path.toLower();
    if (lower.endsWith(u"jpg") || lower.endsWith(u"jpeg")) return PictureKind::Jpeg;
    if (lower.endsWith(u"bmp")) return PictureKind::Bitmap;
    if (lower.endsWith(u"wmf")) return PictureKind::Metafile;
    return PictureKind::Other;
}

QImage decodepicture(const QString& path) {
    switch (picturekind(path)) {
    case PictureKind::Jpeg:
        return decodejpeg(readall(path), path);
    case PictureKind::Bitmap:
        return decodebitmap(readall(path), path);
    case PictureKind::Metafile:
        return renderwmf(readall(path), path);
    case PictureKind::Other:
        break;
    }
    throw IoError("Picture " + path.toStdString() + " is not a JPEG, bitmap or metafile");
}

void imagetobitmap(const QString& source, const QString& target) {
    if (picturekind(source) == PictureKind::Other) return;
    savebitmap(decodepicture(source), target);
}

void savebitmap(const QImage& image, const QString& target) {
    QSaveFile file(target);
    if (file.open(QIODevice::WriteOnly) && image.save(&file, "BMP") && file.commit()) return;
    QString why = file.errorString();
    if (why.isEmpty()) why = QStringLiteral("the picture could not be encoded");
    throw IoError("Cannot write bitmap " + target.toStdString() + ": " + why.toStdString());
}
