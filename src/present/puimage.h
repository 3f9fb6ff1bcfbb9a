#pragma once

#include "present/overlaywindow.h"
#include "present/surfaces.h"

class PictureBox;

// The small image overlay: a fixed window in the middle of the screen, the picture
// fitted into it with its proportions kept.
class TForm4 : public OverlayWindow, public ImageSurface {
    Q_OBJECT
public:
    static constexpr int kWidth = 425;
    static constexpr int kHeight = 387;

    explicit TForm4(QWidget* parent = nullptr);

    PictureBox* Image1;

    void setpicture(const QImage& picture) override;
    void starttheshow(bool fade) override;
    void endtheshow() override { OverlayWindow::endtheshow(); }
    bool isshowing() const override { return isVisible(); }

public slots:
    void Image1Click() { emit clicked(); }

protected:
    void clearcontent() override;
    QImage rendered() override;
    void layoutcontent() override;

private:
    bool placed_ = false;
};
