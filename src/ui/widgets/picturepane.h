#pragma once

#include <QImage>
#include <QWidget>

// A picture scaled to fill the pane with its proportions kept, centred; empty when
// it holds no picture.
class PicturePane : public QWidget {
    Q_OBJECT
public:
    explicit PicturePane(QWidget* parent = nullptr);

    void setpicture(const QImage& picture);
    void clear() { setpicture(QImage()); }
    const QImage& picture() const { return picture_; }

    QSize sizeHint() const override { return {191, 145}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage picture_;
};
