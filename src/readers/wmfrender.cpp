#include "readers/wmfrender.h"

#include "readers/picturelimit.h"
#include "store/ioerror.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#include <cstring>

namespace {
// A sound metafile draws in milliseconds; a stuck child is ended after this long.
constexpr int kWallMsecs = 3000;
constexpr qsizetype kMaxMessage = 1000;

QString& helperpath() {
    static QString path;
    return path;
}

[[noreturn]] void fail(const QString& source, const std::string& why) {
    throw IoError("Windows metafile " + source.toStdString() + " cannot be read: " + why);
}
} // namespace

void setmetafilehelper(const QString& path) {
    helperpath() = path;
}

QString metafilehelper() {
    if (!helperpath().isEmpty()) return helperpath();
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') +
           QLatin1String(kMetafileHelperName);
}

QImage renderwmf(const QByteArray& bytes, const QString& source) {
    const QString helper = metafilehelper();
    if (!QFileInfo(helper).isExecutable()) fail(source, "its drawing helper is missing");
    QProcess child;
    child.setProgram(helper);
    child.setArguments({source});
    child.start();
    if (!child.waitForStarted(kWallMsecs)) fail(source, "its drawing helper does not start");
    child.write(bytes);
    child.closeWriteChannel();
    if (!child.waitForFinished(kWallMsecs)) {
        child.kill();
        child.waitForFinished(kWallMsecs);
        fail(source, "drawing it takes too long");
    }
    if (child.exitStatus() != QProcess::NormalExit)
        fail(source, "drawing it takes too long or too much memory");
    if (child.exitCode() != 0) {
        const QByteArray why = child.readAllStandardError().left(kMaxMessage).trimmed();
        if (why.isEmpty()) fail(source, "the file is damaged");
        throw IoError(why.toStdString());
    }

    const QByteArray out = child.readAllStandardOutput();
    MetafileImageHead size;
    if (out.size() < qsizetype(sizeof size)) fail(source, "nothing was drawn");
    std::memcpy(&size, out.constData(), sizeof size);
    checkpicturesize(size.width, size.height, source);
    const qsizetype line = qsizetype(size.width) * 4;
    if (out.size() != qsizetype(sizeof size) + line * size.height)
        fail(source, "the drawing came back cut short");
    QImage image(size.width, size.height, QImage::Format_RGB32);
    const char* from = out.constData() + sizeof size;
    for (int y = 0; y < size.height; ++y, from += line)
        std::memcpy(image.scanLine(y), from, size_t(line));
    return image;
}
