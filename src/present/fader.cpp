#include "present/fader.h"

int Fader::start(bool fade) {
    fad_ = fade;
    level_ = fade ? kFadeStart : kSolid;
    // A fade-out still running would hide the new display within a few ticks.
    fadingout_ = false;
    fadingin_ = true;
    return level_;
}

std::optional<int> Fader::fadeintick() {
    if (!fadingin_) return std::nullopt;
    level_ += c_.step;
    std::optional<int> opacity;
    if (level_ < 256) opacity = level_;
    if (level_ >= kClamp) opacity = kSolid;
    if (level_ >= kStop) fadingin_ = false;
    return opacity;
}

void Fader::end() {
    if (fadingout_) return;
    level_ = fad_ ? kSolid : kQuickEnd;
    fadingout_ = true;
}

Fader::OutTick Fader::fadeouttick() {
    OutTick tick;
    if (!fadingout_) return tick;
    level_ -= c_.step;
    if (level_ > kFloor) tick.opacity = level_;
    if (level_ <= c_.endlimit) {
        fadingout_ = false;
        tick.hide = true;
    }
    return tick;
}

Fader::Click Fader::click() {
    fadingin_ = false;
    if (!fad_) return Click::Hide;
    fadingout_ = true;
    return Click::FadeOut;
}

void Fader::hidden() {
    fadingin_ = false;
    fadingout_ = false;
}
