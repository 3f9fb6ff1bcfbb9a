#pragma once

#include <cstdint>
#include <optional>

// How fast one overlay fades: the level step per tick and the level at or below
// which a fade-out ends.
struct FadeConstants {
    int32_t step;
    int32_t endlimit;
};

inline constexpr FadeConstants kTextFade{20, 20};
inline constexpr FadeConstants kSmallImageFade{20, 20};
inline constexpr FadeConstants kFullScreenFade{40, 40};

// The fade state of one overlay window, without the window. The level runs past the
// opacity range on purpose; only the values the rules let through reach the opacity.
// Each operation returns the opacity the window must take, if it changes.
class Fader {
public:
    static constexpr int32_t kFadeStart = 5; // first level of a fading display
    static constexpr int32_t kSolid = 255;   // level without fading, and full opacity
    static constexpr int32_t kClamp = 250;   // fade-in level from which the window is solid
    static constexpr int32_t kStop = 255;    // fade-in level at which fading in ends
    static constexpr int32_t kFloor = 5;     // fade-out levels above this reach the opacity
    static constexpr int32_t kQuickEnd = 1;  // fade-out start level without fading

    struct OutTick {
        std::optional<int> opacity;
        bool hide = false;
    };
    enum class Click { Hide, FadeOut };

    explicit Fader(FadeConstants c) : c_(c) {}

    // Begins a display; the result is the opacity to show the window at.
    int start(bool fade);
    std::optional<int> fadeintick();
    // Begins the end of a display, unless a fade-out is already under way.
    void end();
    OutTick fadeouttick();
    // A click on a visible overlay: hide at once without fading, else fade out from
    // the level reached.
    Click click();
    // The window was hidden: nothing is left to fade.
    void hidden();

    int32_t level() const { return level_; }
    bool fad() const { return fad_; }
    bool fadingin() const { return fadingin_; }
    bool fadingout() const { return fadingout_; }
    FadeConstants constants() const { return c_; }

private:
    FadeConstants c_;
    int32_t level_ = 0;
    bool fad_ = false;
    bool fadingin_ = false;
    bool fadingout_ = false;
};
