#pragma once

#include <QWidget>

// The picture across the top of the preview panel, drawn to the panel's width.
class Banner : public QWidget {
    Q_OBJECT
public:
    explicit Banner(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {600, 64}; }

protected:
    void paintEvent(QPaintEvent*) override;
};
