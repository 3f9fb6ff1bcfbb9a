#pragma once

#include "present/overlaywindow.h"
#include "present/picturebox.h"
#include "present/surfaces.h"

// What the two image overlays share: a picture control filling the window on the grey
// key colour, its click ending every overlay, and the picture cleared on hide.
class ImageOverlay : public OverlayWindow, public ImageSurface {
    Q_OBJECT
public:
    ImageOverlay(FadeConstants fade, PictureBox::Layout layout, QWidget* parent = nullptr);

    PictureBox* Image1;

    void setpicture(const QImage& picture) override { Image1->setpicture(picture); }
    void announce(const QString& text, bool speak) override;
    void endtheshow() override { OverlayWindow::endtheshow(); }
    bool isshowing() const override { return isVisible(); }

public slots:
    void Image1Click() { emit clicked(); }

protected:
    void clearcontent() override { Image1->clearpicture(); }
    QImage rendered() override { return Image1->frame(); }
    void layoutcontent() override { Image1->setGeometry(rect()); }
    QWidget* contentcontrol() const override { return Image1; }
};
