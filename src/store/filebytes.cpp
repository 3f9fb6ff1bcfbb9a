#include "store/filebytes.h"

#include <QFile>
#include <QFileInfo>

bool isregularfile(const QString& path) {
    return QFileInfo(path).isFile();
}

std::optional<QByteArray> readregularfile(const QString& path, qint64 maxBytes) {
    if (!isregularfile(path)) return std::nullopt;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    // Checked again on the open file, in case the name was swapped in between.
    if (f.isSequential()) return std::nullopt;
    QByteArray bytes = f.read(maxBytes + 1);
    if (f.error() != QFileDevice::NoError || bytes.size() > maxBytes) return std::nullopt;
    return bytes;
}
