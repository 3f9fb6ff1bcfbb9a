// Draws metafiles in this process, without the helper's limits, and prints the time
// each takes: by default every file of the metafile fuzz corpus (past findings among
// them), else the files named. The drawing's own bounds must keep each well under a
// second. Usage: metafiledraw [FILE|FOLDER ...]
#include "wmfdraw/wmfdecoder.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QStringList inputs = app.arguments().mid(1);
    if (inputs.isEmpty()) inputs << QStringLiteral(CHIMELET_WMF_CORPUS);
    QStringList files;
    for (const QString& input : inputs) {
        if (!QFileInfo(input).isDir()) {
            files << input;
            continue;
        }
        QDirIterator it(input, QDir::Files);
        while (it.hasNext())
            files << it.next();
    }
    files.sort();
    double worst = 0;
    for (const QString& path : files) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) continue;
        const QByteArray bytes = f.readAll();
        QElapsedTimer clock;
        clock.start();
        const char* outcome = "drawn";
        try {
            drawmetafile(bytes, path);
        } catch (const std::exception&) {
            outcome = "refused";
        }
        const double msecs = clock.nsecsElapsed() / 1e6;
        worst = std::max(worst, msecs);
        std::printf("%8.1f ms  %-7s %s\n", msecs, outcome, qPrintable(QFileInfo(path).fileName()));
    }
    std::printf("RESULT wmf_worst_draw %.1f ms\n", worst);
    return 0;
}
