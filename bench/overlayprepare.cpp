// Prepares a full-screen image overlay the way a firing does, on a 1920 x 1080
// photo-like picture: JPEG to tmp.bmp, tmp.bmp back into memory, the stretched frame
// and its see-through mask. Prints the time of each step (median of the runs).
#include "present/overlaymask.h"
#include "present/picturebox.h"
#include "readers/imageconvert.h"
#include "readers/pictureloader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
double medianmsecs(int runs, const std::function<void()>& step) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        step();
        t.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QSize screen(1920, 1080);

    QImage photo(screen, QImage::Format_RGB32);
    {
        QPainter p(&photo);
        QLinearGradient g(0, 0, 1920, 1080);
        g.setColorAt(0, QColor(20, 80, 160));
        g.setColorAt(1, QColor(240, 160, 40));
        p.fillRect(photo.rect(), g);
        p.setBrush(QColor(128, 128, 128));
        p.drawEllipse(QPoint(960, 540), 300, 200); // a see-through hole
    }
    const QString jpeg = dir.filePath("photo.jpg"), bmp = dir.filePath("tmp.bmp");
    photo.save(jpeg, "JPG", 90);

    const int runs = 9;
    const double convert = medianmsecs(runs, [&] { imagetobitmap(jpeg, bmp); });
    QImage loaded;
    const double load = medianmsecs(runs, [&] { loaded = loadpicture(bmp); });
    PictureBox box(PictureBox::Layout::Stretch, QColor(128, 128, 128));
    box.resize(screen);
    QImage frame;
    const double compose = medianmsecs(runs, [&] {
        box.setpicture(loaded);
        frame = box.frame();
    });
    QRegion mask;
    const double region =
        medianmsecs(runs, [&] { mask = opaqueregion(frame, QColor(128, 128, 128)); });

    std::printf("full-screen overlay, %dx%d picture, median of %d runs\n", screen.width(),
                screen.height(), runs);
    std::printf("  JPEG -> tmp.bmp      %7.1f ms\n", convert);
    std::printf("  tmp.bmp -> memory    %7.1f ms\n", load);
    std::printf("  stretched frame      %7.1f ms\n", compose);
    std::printf("  see-through mask     %7.1f ms (%d rectangles)\n", region, mask.rectCount());
    std::printf("  total                %7.1f ms\n", convert + load + compose + region);
    std::printf("RESULT overlay_prepare_ms %.1f ms\n", convert + load + compose + region);
    return 0;
}
