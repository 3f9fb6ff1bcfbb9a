#include "ui/widgets/screenfit.h"

#include <gtest/gtest.h>

// A window and its frame on a screen whose free area does not start at the origin: one
// that fits is centred whole on it; one larger even at its smallest keeps its title bar
// and its left edge on the screen, whichever way it overflows.
TEST(ScreenFit, AWindowTooLargeKeepsItsTopAndItsLeftOnTheScreen) {
    const QRect available(100, 50, 800, 600);
    const QMargins frame(4, 24, 4, 4);
    struct Case {
        QSize size, minimum, placed;
    };
    const Case cases[] = {
        {{400, 300}, {0, 0}, {400, 300}},     // fits
        {{1200, 900}, {0, 0}, {792, 572}},    // shrinks to the screen within its frame
        {{400, 300}, {900, 0}, {900, 300}},   // wider than the screen at its smallest
        {{400, 300}, {0, 700}, {400, 700}},   // taller
        {{400, 300}, {900, 700}, {900, 700}}, // both
    };
    for (const auto& [size, minimum, placed] : cases) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height() << " min "
                                        << minimum.width() << "x" << minimum.height());
        const QRect place = fitonscreen(size, minimum, frame, available);
        const QRect outer = place.marginsAdded(frame);
        EXPECT_EQ(place.size(), placed);
        EXPECT_GE(outer.left(), available.left());
        EXPECT_GE(outer.top(), available.top());
        const bool wide = outer.width() > available.width();
        const bool tall = outer.height() > available.height();
        // Too large: against the left edge and the top. What fits is centred.
        const int left = outer.left() - available.left(), right = available.right() - outer.right();
        const int top = outer.top() - available.top(), bottom = available.bottom() - outer.bottom();
        EXPECT_LE(wide ? left : std::abs(left - right), wide ? 0 : 1);
        EXPECT_LE(tall ? top : std::abs(top - bottom), tall ? 0 : 1);
    }
}
