#include "store/filebytes.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

bool isregularfile(const QString& path) {
    return QFileInfo(path).isFile();
}

std::optional<QByteArray> readregularfile(const QString& path, qint64 maxBytes) {
    if (!isregularfile(path)) return std::nullopt;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    // Checked again on the open file, in case the name was swapped in between.
    if (f.isSequential()) return std::nullopt;
    // The buffer is sized by the file, not by the bound, so a small file costs a small
    // buffer; a file that grew meanwhile is read on, up to the bound.
    const qint64 size = f.size();
    QByteArray bytes = f.read(std::min(size, maxBytes) + 1);
    if (bytes.size() > size && bytes.size() <= maxBytes)
        bytes += f.read(maxBytes + 1 - bytes.size());
    if (f.error() != QFileDevice::NoError || bytes.size() > maxBytes) return std::nullopt;
    return bytes;
}
