#pragma once

#include "present/announcement.h"
#include "present/overlaywindow.h"
#include "present/surfaces.h"

class QPushButton;
class QTextEdit;

// The text overlay: one line of the message across a strip at the bottom of the
// screen; the silver background is see-through, so only the letters show.
class TForm5 : public OverlayWindow, public TextSurface {
    Q_OBJECT
public:
    static constexpr int kWidth = 479;
    static constexpr int kHeight = 170;

    explicit TForm5(QWidget* parent = nullptr);

    // Made at the first display: a text document and its font engine cost memory and
    // start time, and most runs show no text strip.
    QTextEdit* RichEdit1 = nullptr;
    QPushButton* Button1; // zero-size: holds the focus so the text shows no caret

    void placeonscreen(const QRect& screen) override;
    void setfontstyles(std::optional<bool> bold, std::optional<bool> italic,
                       std::optional<bool> underline) override;
    void setfontface(const QString& family, int points, QColor color) override;
    void starttheshow(const QString& text, bool fade) override;
    void announce(const QString& text) override { announcer_.announce(text); }
    void endtheshow() override { OverlayWindow::endtheshow(); }
    bool isshowing() const override { return isVisible(); }
    QString text() const;
    // Where a compositor runs (asked at each display start), the letters are drawn with
    // smooth edges on a see-through background, otherwise crisp on the key colour.
    bool alpha() const { return alpha_; }

public slots:
    void RichEdit1Click() { emit clicked(); }

protected:
    void clearcontent() override;
    void layoutcontent() override;
    QWidget* contentcontrol() const override;
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QImage rendered() override;
    bool perpixelalpha() const override { return alpha_; }

private:
    // Ignored while the window is up: its kind of drawing is fixed when it is made.
    void usealpha(bool on);
    void makeedit();
    void settextfont(const QFont& font);
    void paintcolors();

    bool alpha_ = false;
    QFont font_; // as asked for, before the edges are chosen
    QColor textcolor_;
    Announcer announcer_;
};
