#include "linuxplatform/processlimits.h"
#include "readers/picturelimit.h"
#include "readers/wmfrender.h"
#include "wmfdraw/wmfdecoder.h"

#include <QFile>

#include <cstdio>

// Draws one metafile for the program, under limits, so a damaged file ends here: reads
// the file on standard input and writes the picture to standard output; a failure's text
// goes to standard error. The first argument names the file in messages.
int main(int argc, char** argv) {
    if (!limitthisprocess(kMetafileCpuSeconds, kMetafileMemoryBytes)) {
        std::fputs("the limits for drawing a metafile could not be set", stderr);
        return 1;
    }
    const QString source = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) return 1;
    const QByteArray bytes = in.read(kMaxPictureBytes + qint64{1024} * 1024);
    try {
        const QImage image = drawmetafile(bytes, source).convertToFormat(QImage::Format_RGB32);
        const MetafileImageHead size{image.width(), image.height()};
        std::fwrite(&size, sizeof size, 1, stdout);
        for (int y = 0; y < image.height(); ++y)
            std::fwrite(image.constScanLine(y), 4, size_t(image.width()), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::fputs(e.what(), stderr);
        return 1;
    }
}
