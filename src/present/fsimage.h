#pragma once

#include "present/imageoverlay.h"

#include <functional>

// The full-screen image overlay: the picture stretched over the whole primary screen.
class TForm3 : public ImageOverlay {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    void starttheshow(bool fade) override;
    // Asked at each show: whether only the full-screen state of a window the desktop
    // manages puts the picture over the panels. Unset, stacking above all is enough.
    void setcoverbyfullscreen(std::function<bool()> ask) { coverbyfullscreen_ = std::move(ask); }

private:
    std::function<bool()> coverbyfullscreen_;
};
