// Runs with QT_SCALE_FACTOR at 2 and at 1.5: windows are drawn at that many pixels per unit.
#include "platform/windowshape.h"
#include "present/puimage.h"
#include "present/txtbx.h"
#include "schedule/secondticker.h"
#include "support/fakeplatform.h"
#include "support/tempfolder.h"
#include "support/windowdeps.h"
#include "ui/mainwindow/main.h"
#include "ui/widgets/screenfit.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace {
// A desktop whose compositor blends windows, with outlines left to Qt.
struct CompositingDesktop : WindowShape {
    bool apply(QWidget*, const QRegion&, ShapeUse) override { return false; }
    bool compositing() override { return true; }
};

// Pixels of the drawing that the outline gets wrong: it must hold all but the key.
int outlineerrors(const QImage& drawn, const QRegion& outline, QColor key) {
    const QImage rgb = drawn.convertToFormat(QImage::Format_RGB32);
    int wrong = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            wrong += outline.contains(QPoint(x, y)) == (rgb.pixel(x, y) == key.rgb());
    return wrong;
}
} // namespace

TEST(ScaledScreen, TheStripKeepsEveryLetterPixelAndNothingElse) {
    ASSERT_GT(qApp->devicePixelRatio(), 1.0);
    TForm5 strip;
    strip.placeonscreen(QGuiApplication::primaryScreen()->geometry());
    strip.setfontface(QStringLiteral("DejaVu Sans"), 20, Qt::red);
    strip.starttheshow(QStringLiteral("Чай готов"), false);
    const QImage drawn = strip.grab().toImage();
    ASSERT_EQ(drawn.size(), strip.size() * qApp->devicePixelRatio()) << "drawn in device pixels";
    EXPECT_EQ(outlineerrors(drawn, strip.outline(), strip.keycolor()), 0);
    EXPECT_GT(strip.outline().boundingRect().width(), 40) << "the letters are drawn";
    bool oddedge = false; // traced pixel by pixel, not in blocks of the scale
    for (const QRect& r : strip.outline())
        oddedge |= (r.x() | r.y() | r.width()) % 2 != 0;
    EXPECT_TRUE(oddedge);

    // With a compositor: smooth letters on a see-through background, and clicks land on
    // every pixel the letters touch and on no other.
    strip.hide();
    CompositingDesktop desktop;
    strip.setshapeway(&desktop);
    strip.starttheshow(QStringLiteral("Чай готов"), false);
    const QImage smooth = strip.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    int partial = 0, wrong = 0;
    for (int y = 0; y < smooth.height(); ++y)
        for (int x = 0; x < smooth.width(); ++x) {
            const int alpha = qAlpha(smooth.pixel(x, y));
            partial += alpha > 0 && alpha < 255;
            wrong += strip.outline().contains(QPoint(x, y)) != (alpha > 0);
        }
    EXPECT_GT(partial, 100) << "smoothed edges";
    EXPECT_EQ(wrong, 0);
}

TEST(ScaledScreen, PicturesAreComposedSharpWithoutAFringe) {
    QImage pic(8, 8, QImage::Format_RGB32); // green round a 2 x 2 block of the key grey
    pic.fill(qRgb(0, 200, 0));
    for (int i : {27, 28, 35, 36})
        pic.setPixel(i % 8, i / 8, qRgb(128, 128, 128));
    TForm4 small;
    small.setpicture(pic);
    small.starttheshow(false);
    const QImage frame = small.Image1->frame();
    ASSERT_EQ(frame.size(), small.size() * qApp->devicePixelRatio());
    EXPECT_EQ(outlineerrors(frame, small.outline(), small.keycolor()), 0);
    int blended = 0; // anything but the picture's own colours and the key
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            blended +=
                frame.pixel(x, y) != qRgb(0, 200, 0) && frame.pixel(x, y) != qRgb(128, 128, 128);
    EXPECT_EQ(blended, 0);
    EXPECT_FALSE(small.outline().contains(frame.rect().center()));
}

TEST(ScaledScreen, TheMainWindowFitsASmallerScreenWithItsTitleBarOnIt) {
    FakePlatform fake;
    TempFolder tmp;
    WindowDeps g{fake};
    g.ws.db().setpath(tmp.file("chdb.res"));
    g.ws.db().createdatabase();
    TForm1 form(g.list, fake.dialogs, g.paths, g.reporter);
    tickerof(g.list).stop();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_FALSE(available.size().expandedTo(form.size()) == available.size());
    placeonscreen(&form);
    EXPECT_TRUE(available.contains(form.geometry())) << form.width() << "x" << form.height();
    EXPECT_GT(form.geometry().top(), available.top()) << "room for the title bar";
}
