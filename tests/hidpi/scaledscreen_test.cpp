// Runs with QT_SCALE_FACTOR=2: every window is drawn at twice its size in pixels.
#include "present/puimage.h"
#include "present/txtbx.h"
#include "schedule/secondticker.h"
#include "support/fakeplatform.h"
#include "support/tempfolder.h"
#include "ui/appglobals.h"
#include "ui/main.h"
#include "ui/screenfit.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace {
// Every pixel of the rendered window is on screen exactly when it is not the key.
void expectoutlinematches(const QImage& drawn, const QRegion& outline, QColor key) {
    const QImage rgb = drawn.convertToFormat(QImage::Format_RGB32);
    int wrong = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if (outline.contains(QPoint(x, y)) == (rgb.pixel(x, y) == key.rgb())) ++wrong;
    EXPECT_EQ(wrong, 0);
}

QRect screen() {
    return QGuiApplication::primaryScreen()->geometry();
}
} // namespace

TEST(ScaledScreen, TheStripKeepsEveryLetterPixelAndNothingElse) {
    ASSERT_EQ(qApp->devicePixelRatio(), 2.0);
    TForm5 strip;
    strip.placeonscreen(screen());
    strip.setfontface(QStringLiteral("DejaVu Sans"), 20, Qt::red);
    strip.starttheshow(QStringLiteral("Чай готов"), false);
    const QImage drawn = strip.grab().toImage();
    ASSERT_EQ(drawn.size(), strip.size() * 2) << "drawn in device pixels";
    expectoutlinematches(drawn, strip.outline(), strip.keycolor());

    // The letters are drawn, small against the strip, and traced pixel by pixel rather
    // than in blocks of the scale.
    const QRect letters = strip.outline().boundingRect();
    EXPECT_GT(letters.width(), 40);
    EXPECT_LT(letters.width(), drawn.width() / 2);
    bool oddedge = false;
    for (const QRect& r : strip.outline())
        oddedge |= (r.x() % 2 != 0) || (r.width() % 2 != 0) || (r.y() % 2 != 0);
    EXPECT_TRUE(oddedge) << "an outline in whole logical pixels";

    // With a compositor: smooth letters on a see-through background, and clicks land on
    // every pixel the letters touch and on no other.
    strip.hide();
    strip.compositor = [] { return true; };
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
    // Green with a 2 x 2 block of the key grey in its middle, enlarged many times.
    QImage pic(8, 8, QImage::Format_RGB32);
    pic.fill(qRgb(0, 200, 0));
    for (int y = 3; y < 5; ++y)
        for (int x = 3; x < 5; ++x)
            pic.setPixel(x, y, qRgb(128, 128, 128));
    TForm4 small;
    small.setpicture(pic);
    small.starttheshow(false);
    const QImage frame = small.Image1->frame();
    ASSERT_EQ(frame.size(), small.size() * 2);
    expectoutlinematches(frame, small.outline(), small.keycolor());
    // Only the picture's own colours and the key: no blend of the two around the hole.
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const QRgb p = frame.pixel(x, y);
            ASSERT_TRUE(p == qRgb(0, 200, 0) || p == qRgb(128, 128, 128))
                << x << "," << y << " is " << std::hex << p;
        }
    EXPECT_FALSE(small.outline().contains(frame.rect().center()));
}

TEST(ScaledScreen, TheMainWindowFitsASmallerScreenWithItsTitleBarOnIt) {
    FakePlatform fake;
    TempFolder tmp;
    AppGlobals g{fake.platform()};
    g.ws.db.setPath(tmp.file("chdb.res"));
    g.ws.db.createdatabase();
    TForm1 form(g);
    form.updatetimer()->stop();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_TRUE(form.width() > available.width() || form.height() > available.height())
        << "the screen must be smaller than the window for this test";
    placeonscreen(&form);
    EXPECT_TRUE(available.contains(form.geometry()))
        << available.width() << "x" << available.height() << " holds " << form.width() << "x"
        << form.height();
    EXPECT_GT(form.geometry().top(), available.top()) << "room for the title bar";
}

TEST(ScreenFit, CentresShrinksAndKeepsTheTitleBarOnScreen) {
    const QMargins frame(2, 20, 2, 2);
    const QRect screen(100, 0, 1000, 700);
    EXPECT_EQ(fitonscreen({400, 300}, {}, frame, screen), QRect(400, 209, 400, 300));
    EXPECT_EQ(fitonscreen({1200, 900}, {200, 200}, frame, screen), QRect(102, 20, 996, 678));
    EXPECT_EQ(fitonscreen({1200, 900}, {1100, 800}, frame, screen).topLeft(), QPoint(102, 20))
        << "too large even at its smallest: the title bar stays on screen";
}
