#include "present/txtbx.h"

#include "platform/windowshape.h"
#include "store/notificationrecord.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTextEdit>

#include <algorithm>

TForm5::TForm5(QWidget* parent)
    : OverlayWindow(kTextFade, QColor(192, 192, 192), parent), Button1(new QPushButton(this)),
      font_(QStringLiteral("Tahoma")) {
    resize(kWidth, kHeight);
    textcolor_ = palette().color(QPalette::WindowText);
    font_.setPointSize(8);

    Button1->setGeometry(0, 0, 0, 0);
    Button1->setFocusPolicy(Qt::StrongFocus);
    Button1->setFlat(true);
    Button1->setAccessibleName(QStringLiteral("Dismiss"));
    connect(Button1, &QPushButton::clicked, this, &TForm5::clicked);
}

void TForm5::makeedit() {
    if (RichEdit1) return;
    RichEdit1 = new QTextEdit(this);
    RichEdit1->setReadOnly(true);
    RichEdit1->setFrameShape(QFrame::NoFrame);
    RichEdit1->setLineWrapMode(QTextEdit::NoWrap);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit1->setTextInteractionFlags(Qt::NoTextInteraction);
    RichEdit1->setFocusPolicy(Qt::NoFocus);
    QTextOption centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setWrapMode(QTextOption::NoWrap);
    RichEdit1->document()->setDefaultTextOption(centred);
    paintcolors();
    settextfont(font_);
    RichEdit1->viewport()->setCursor(Qt::PointingHandCursor);
    RichEdit1->viewport()->installEventFilter(this);
    RichEdit1->setAccessibleName(QStringLiteral("Message"));
    // Below the zero-size button, which keeps the focus.
    RichEdit1->lower();
    RichEdit1->setGeometry(rect());
    RichEdit1->show();
}

void TForm5::placeonscreen(const QRect& screen) {
    setGeometry(screen.x(), screen.y() + screen.height() - height(), screen.width(), height());
}

void TForm5::setfontstyles(std::optional<bool> bold, std::optional<bool> italic,
                           std::optional<bool> underline) {
    QFont font = font_;
    if (bold) font.setBold(*bold);
    if (italic) font.setItalic(*italic);
    if (underline) font.setUnderline(*underline);
    settextfont(font);
}

void TForm5::setfontface(const QString& family, int points, QColor color) {
    QFont font = font_;
    font.setFamily(family);
    if (points > 0) font.setPointSize(std::min(points, kMaxFontSize));
    settextfont(font);
    textcolor_ = color;
    paintcolors();
}

void TForm5::settextfont(const QFont& font) {
    font_ = font;
    if (!RichEdit1) return;
    QFont face = font;
    // Without alpha, smoothed edges would blend with the see-through silver into a halo.
    face.setStyleStrategy(alpha_ ? QFont::PreferDefault : QFont::NoAntialias);
    RichEdit1->setFont(face);
    RichEdit1->document()->setDefaultFont(face);
}

void TForm5::paintcolors() {
    if (!RichEdit1) return;
    QPalette pal = RichEdit1->palette();
    // With alpha the background is drawn see-through, and so are letters of the key.
    pal.setColor(QPalette::Base, alpha_ ? QColor(Qt::transparent) : keycolor());
    pal.setColor(QPalette::Text,
                 alpha_ && textcolor_ == keycolor() ? QColor(Qt::transparent) : textcolor_);
    RichEdit1->setPalette(pal);
}

void TForm5::usealpha(bool on) {
    if (on == alpha_ || isVisible()) return;
    // The window's visual is chosen when it is made: remake it on the next show.
    if (testAttribute(Qt::WA_WState_Created)) destroy();
    alpha_ = on;
    setAttribute(Qt::WA_TranslucentBackground, on);
    setAutoFillBackground(!on);
    settextfont(font_);
    paintcolors();
}

void TForm5::starttheshow(const QString& text, bool fade) {
    // A compositor may have come or gone since the last display.
    usealpha(shapeway() && shapeway()->compositing());
    makeedit();
    RichEdit1->clear();
    RichEdit1->setPlainText(text);
    setannouncement(this, text, true);
    beginshow(fade);
}

QImage TForm5::rendered() {
    if (!alpha_) return OverlayWindow::rendered();
    // The letters as the key colour would frame them: their smoothed edges are part of
    // them, everything of the key is see-through.
    const QImage drawn = grab().toImage();
    QImage onkey(drawn.size(), QImage::Format_RGB32);
    onkey.setDevicePixelRatio(drawn.devicePixelRatio());
    onkey.fill(keycolor());
    QPainter(&onkey).drawImage(0, 0, drawn);
    return onkey;
}

QString TForm5::text() const {
    return RichEdit1 ? RichEdit1->toPlainText() : QString();
}

void TForm5::clearcontent() {
    if (RichEdit1) RichEdit1->clear();
}

void TForm5::layoutcontent() {
    if (RichEdit1) RichEdit1->setGeometry(rect());
}

void TForm5::FormShow() {
    raise();
    Button1->setFocus();
}

bool TForm5::eventFilter(QObject* watched, QEvent* event) {
    if (RichEdit1 && watched == RichEdit1->viewport() &&
        event->type() == QEvent::MouseButtonRelease) {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton) RichEdit1Click();
        return true;
    }
    return OverlayWindow::eventFilter(watched, event);
}

QWidget* TForm5::contentcontrol() const {
    return RichEdit1;
}
