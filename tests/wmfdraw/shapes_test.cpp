#include "support/testpictures.h"
#include "wmfdraw/wmfdecoder.h"

#include <QImage>

#include <functional>

#include <gtest/gtest.h>

namespace {
using Shape = std::function<void(WmfWriter&, int16_t origin)>;

// One drawing seen through two frames: a large one that holds every shape whole, which
// libwmf draws as it always did, and a small one inside it that every shape overruns,
// which has its fills cut to the frame first. The frame's corner is at `origin`.
QImage drawn(int16_t origin, int16_t size, const Shape& shape) {
    WmfWriter wmf(size, size, 96);
    wmf.brush(0x0000c000);
    shape(wmf, origin);
    return drawmetafile(wmf.finish(), QStringLiteral("shape.wmf"));
}

TEST(CutShapes, AShapeBeyondTheFrameShowsAsTheWholeShapeWould) {
    using W = WmfWriter;
    using S = int16_t;
    const std::pair<const char*, Shape> shapes[] = {
        {"ellipse", [](W& w, S o) { w.ellipse(120 - o, -100 - o, 400 - o, 400 - o); }},
        {"pie",
         [](W& w, S o) {
             w.pie(60 - o, -100 - o, 400 - o, 400 - o, 100 - o, 60 - o, 100 - o, 240 - o);
         }},
        {"pie the other way",
         [](W& w, S o) {
             w.pie(60 - o, -100 - o, 400 - o, 400 - o, 100 - o, 240 - o, 100 - o, 60 - o);
         }},
        {"round rectangle",
         [](W& w, S o) { w.roundrect(150 - o, 150 - o, 480 - o, 480 - o, 200, 160); }},
        {"rectangle", [](W& w, S o) { w.rectangle(150 - o, -100 - o, 480 - o, 170 - o); }},
        {"polygon",
         [](W& w, S o) {
             w.polygon({{S(120 - o), S(-100 - o)},
                        {S(480 - o), S(150 - o)},
                        {S(160 - o), S(170 - o)},
                        {S(120 - o), S(400 - o)}});
         }},
        {"triangle with two corners beyond the right edge",
         [](W& w, S o) {
             w.polygon(
                 {{S(120 - o), S(150 - o)}, {S(260 - o), S(110 - o)}, {S(260 - o), S(190 - o)}});
         }},
        {"triangle with two corners above the top",
         [](W& w, S o) {
             w.polygon(
                 {{S(150 - o), S(180 - o)}, {S(110 - o), S(40 - o)}, {S(190 - o), S(60 - o)}});
         }},
    };
    for (const auto& [name, shape] : shapes) {
        const QImage whole = drawn(-200, 700, shape);
        const QImage part = drawn(100, 100, shape);
        ASSERT_EQ(part.size(), QSize(100, 100)) << name;
        const QImage expected = whole.copy(300, 300, 100, 100);
        int differ = 0, filled = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x) {
                differ += part.pixel(x, y) != expected.pixel(x, y);
                filled += qGreen(expected.pixel(x, y)) > 150 && qRed(expected.pixel(x, y)) < 100;
            }
        EXPECT_GT(filled, 200) << name << ": the shape shows in the small frame";
        EXPECT_LT(filled, 9500) << name << ": and its edge crosses it";
        EXPECT_LE(differ, 200) << name;
    }
}
} // namespace
