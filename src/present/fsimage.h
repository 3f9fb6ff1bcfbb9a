#pragma once

#include "present/imageoverlay.h"

// The full-screen image overlay: the picture stretched over the whole primary screen.
class TForm3 : public ImageOverlay {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    void starttheshow(bool fade) override;
};
