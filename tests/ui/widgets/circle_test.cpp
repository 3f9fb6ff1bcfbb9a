#include "ui/widgets/circle.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

// Against the C library, over several turns both ways: exact at the quarter turns.
TEST(Circle, UnitPointsAndTurnsAreTheLibraryOnes) {
    double worst = 0;
    for (int quarterdegrees = -2880; quarterdegrees <= 2880; ++quarterdegrees) {
        const double degrees = quarterdegrees / 4.0;
        const double radians = degrees * M_PI / 180;
        const QPointF u = unitpoint(degrees);
        worst = std::max(
            {worst, std::abs(u.x() - std::cos(radians)), std::abs(u.y() - std::sin(radians))});
    }
    EXPECT_LT(worst, 4e-15);
    for (int quarter = -8; quarter <= 8; ++quarter) {
        const QPointF u = unitpoint(quarter * 90.0);
        const int k = ((quarter % 4) + 4) % 4;
        EXPECT_EQ(u, QPointF(k == 0   ? 1
                             : k == 2 ? -1
                                      : 0,
                             k == 1   ? 1
                             : k == 3 ? -1
                                      : 0))
            << quarter;
    }
    for (const double degrees : {-45.0, -22.0, 0.0, 30.0, 90.0, 137.5, 200.0, 359.0}) {
        QTransform qt;
        qt.rotate(degrees);
        const QTransform ours = turned(degrees);
        for (const QPointF p : {QPointF(1, 0), QPointF(0, 1), QPointF(3.5, -7.25)}) {
            const QPointF d = ours.map(p) - qt.map(p);
            EXPECT_LT(std::abs(d.x()) + std::abs(d.y()), 1e-14) << degrees;
        }
    }
}

// An arc draws as Qt's arcTo draws it, for short and long spans either way round: the same pixels,
// to within the shade by which two sets of curves for one arc are flattened into different lines;
// and it ends where arcTo ends, to within the hundredth of a pixel by which a cubic misses the
// circle.
TEST(Circle, ArcsDrawAsQtDrawsThem) {
    const auto draw = [](const QPainterPath& path) {
        QImage image(96, 96, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        // Round caps, as the icons draw.
        p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
        return image;
    };
    const QPointF centre(48, 48);
    const double radius = 40;
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    for (const auto& [start, span] : {std::pair{20.0, 130.0},
                                      {200.0, 130.0},
                                      {0.0, 90.0},
                                      {45.0, -100.0},
                                      {-30.0, 250.0},
                                      {10.0, 360.0},
                                      {300.0, 5.0}}) {
        SCOPED_TRACE(testing::Message() << start << " over " << span);
        QPainterPath theirs;
        theirs.arcMoveTo(box, start);
        theirs.arcTo(box, start, span);
        QPainterPath ours;
        appendarc(ours, centre, radius, start, span);
        const QPointF end = ours.currentPosition() - theirs.currentPosition();
        EXPECT_LT(std::abs(end.x()) + std::abs(end.y()), 0.03);
        const QImage a = draw(theirs), b = draw(ours);
        int worst = 0, inked = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const int da = qAlpha(a.pixel(x, y)), db = qAlpha(b.pixel(x, y));
                worst = std::max(worst, std::abs(da - db));
                inked += db > 0;
            }
        EXPECT_LE(worst, 40);
        EXPECT_GT(inked, 10);
    }
}
