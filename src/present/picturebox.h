#pragma once

#include <QImage>
#include <QWidget>

// Where a picture lands inside `area` when fitted: as large as fits, proportions kept,
// centred. Empty for an empty picture or area.
QRect fittedrect(const QSize& picture, const QRect& area);

// An overlay's picture control: the picture stretched over the control or fitted into
// it with its proportions kept and centred, on the window's key colour.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    enum class Layout { Stretch, Fit };

    PictureBox(Layout layout, QColor background, QWidget* parent = nullptr);

    void setpicture(const QImage& picture);
    void clearpicture();
    const QImage& picture() const { return picture_; }
    // The control as it is painted, at its current size in device pixels.
    QImage frame() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    Layout layout_;
    QColor background_;
    QImage picture_;
    mutable QImage frame_; // composed once per picture and size
    mutable bool keyknown_ = false;
    mutable bool haskey_ = false;
};
