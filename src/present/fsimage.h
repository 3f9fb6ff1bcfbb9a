#pragma once

#include "present/overlaywindow.h"
#include "present/surfaces.h"

class PictureBox;

// The full-screen image overlay: the picture stretched over the whole primary screen.
class TForm3 : public OverlayWindow, public ImageSurface {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

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
};
