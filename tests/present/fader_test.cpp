#include "present/fader.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
// Runs fade-in ticks until the fade-in ends; the opacities set, in order.
std::vector<int> fadein(Fader& f, int limit = 100) {
    std::vector<int> seen;
    while (f.fadingin() && limit-- > 0)
        if (auto o = f.fadeintick()) seen.push_back(*o);
    return seen;
}

struct FadeOut {
    std::vector<int> opacities;
    int ticks = 0;
    bool hidden = false;
};
FadeOut fadeout(Fader& f, int limit = 100) {
    FadeOut out;
    while (f.fadingout() && limit-- > 0) {
        const Fader::OutTick t = f.fadeouttick();
        ++out.ticks;
        if (t.opacity) out.opacities.push_back(*t.opacity);
        out.hidden = t.hide;
    }
    return out;
}

std::vector<int> range(int from, int to, int step) {
    std::vector<int> v;
    for (int x = from; step > 0 ? x <= to : x >= to; x += step)
        v.push_back(x);
    return v;
}

std::vector<int> concat(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
} // namespace

TEST(Fader, FadeInReachesFullOpacityOnTheThirteenthOrSeventhTick) {
    for (FadeConstants c : {kTextFade, kSmallImageFade}) {
        Fader f(c);
        EXPECT_EQ(f.start(true), 5);
        const auto seen = fadein(f);
        EXPECT_EQ(seen, concat(range(25, 245, 20), {255}));
        EXPECT_EQ(seen.size(), 13u);
        EXPECT_EQ(f.level(), 265);
    }
    Fader f(kFullScreenFade);
    EXPECT_EQ(f.start(true), 5);
    EXPECT_EQ(fadein(f), (std::vector<int>{45, 85, 125, 165, 205, 245, 255}));
    EXPECT_EQ(f.level(), 285);
}

TEST(Fader, WithoutFadingTheWindowIsSolidAndEndsOnTheFirstTick) {
    for (FadeConstants c : {kTextFade, kFullScreenFade}) {
        Fader f(c);
        EXPECT_EQ(f.start(false), 255);
        EXPECT_EQ(fadein(f), std::vector<int>{255});
        EXPECT_EQ(f.level(), 255 + c.step);

        f.end();
        const FadeOut out = fadeout(f);
        EXPECT_EQ(out.ticks, 1);
        EXPECT_TRUE(out.opacities.empty()) << "no intermediate opacity";
        EXPECT_TRUE(out.hidden);
        EXPECT_EQ(f.level(), 1 - c.step);
    }
}

TEST(Fader, EndFadesFromSolidAndHidesAtTheLimit) {
    Fader text(kTextFade);
    text.start(true);
    fadein(text);
    text.end();
    FadeOut out = fadeout(text);
    EXPECT_EQ(out.opacities, range(235, 15, -20));
    EXPECT_EQ(out.ticks, 12);
    EXPECT_TRUE(out.hidden);

    Fader full(kFullScreenFade);
    full.start(true);
    fadein(full);
    full.end();
    out = fadeout(full);
    EXPECT_EQ(out.opacities, (std::vector<int>{215, 175, 135, 95, 55, 15}));
    EXPECT_EQ(out.ticks, 6);
    EXPECT_TRUE(out.hidden);
}

TEST(Fader, ClickAfterCompleteFadeInRunsOnFromTheLevelReached) {
    Fader small(kSmallImageFade);
    small.start(true);
    fadein(small);
    EXPECT_EQ(small.click(), Fader::Click::FadeOut);
    FadeOut out = fadeout(small);
    EXPECT_EQ(out.opacities, range(245, 25, -20));
    EXPECT_EQ(out.ticks, 13) << "hidden at level 5 without touching the opacity";
    EXPECT_EQ(small.level(), 5);

    Fader full(kFullScreenFade);
    full.start(true);
    fadein(full);
    full.click();
    out = fadeout(full);
    EXPECT_EQ(out.opacities, (std::vector<int>{245, 205, 165, 125, 85, 45}));
    EXPECT_EQ(out.ticks, 7);
}

TEST(Fader, ClickDuringFadeInStopsItAndFadesOutFromThere) {
    Fader f(kTextFade);
    f.start(true);
    for (int i = 0; i < 4; ++i)
        f.fadeintick(); // level 85
    EXPECT_EQ(f.click(), Fader::Click::FadeOut);
    EXPECT_FALSE(f.fadingin());
    EXPECT_FALSE(f.fadeintick().has_value()) << "a stopped fade-in changes nothing";
    const FadeOut out = fadeout(f);
    EXPECT_EQ(out.opacities, (std::vector<int>{65, 45, 25}));
    EXPECT_TRUE(out.hidden);

    Fader quick(kTextFade);
    quick.start(false);
    EXPECT_EQ(quick.click(), Fader::Click::Hide);
    EXPECT_FALSE(quick.fadingin());
    EXPECT_FALSE(quick.fadingout());
}

TEST(Fader, EndIsIgnoredWhileAFadeOutRuns) {
    Fader f(kTextFade);
    f.start(true);
    fadein(f);
    f.click(); // fade-out from 265
    f.fadeouttick();
    f.fadeouttick();
    ASSERT_EQ(f.level(), 225);
    f.end(); // the display timer firing now must not restart at 255
    EXPECT_EQ(f.level(), 225);
    EXPECT_EQ(f.fadeouttick().opacity, 205);
}

TEST(Fader, EndDuringFadeInLetsBothRunAsTheRulesSay) {
    Fader f(kTextFade);
    f.start(true);
    f.fadeintick(); // 25
    f.end();        // 255, both running
    EXPECT_TRUE(f.fadingin());
    EXPECT_TRUE(f.fadingout());
    EXPECT_EQ(f.fadeintick(), 255); // 275: the fade-in stops
    EXPECT_FALSE(f.fadingin());
    EXPECT_EQ(f.fadeouttick().opacity, 255); // 255
    EXPECT_EQ(f.fadeouttick().opacity, 235);
}

TEST(Fader, RestartDuringFadeOutBeginsAFreshDisplay) {
    Fader f(kTextFade);
    f.start(true);
    fadein(f);
    f.end();
    f.fadeouttick();
    EXPECT_EQ(f.start(true), 5);
    EXPECT_FALSE(f.fadingout()) << "the old fade-out would hide the new display";
    EXPECT_EQ(fadein(f).back(), 255);
}
