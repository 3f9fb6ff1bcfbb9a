#pragma once

#include "present/imageoverlay.h"

// The small image overlay: a fixed window in the middle of the screen, the picture
// fitted into it with its proportions kept.
class TForm4 : public ImageOverlay {
    Q_OBJECT
public:
    static constexpr int kWidth = 425;
    static constexpr int kHeight = 387;

    explicit TForm4(QWidget* parent = nullptr);

    void starttheshow(bool fade) override;

private:
    bool placed_ = false;
};
