#include "present/txtbx.h"

#include "store/notificationrecord.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QTextEdit>

#include <algorithm>

TForm5::TForm5(QWidget* parent)
    : OverlayWindow(kTextFade, QColor(192, 192, 192), parent), RichEdit1(new QTextEdit(this)),
      Button1(new QPushButton(this)) {
    resize(kWidth, kHeight);

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
    QPalette pal = RichEdit1->palette();
    pal.setColor(QPalette::Base, keycolor());
    pal.setColor(QPalette::Text, palette().color(QPalette::WindowText));
    RichEdit1->setPalette(pal);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    settextfont(font);
    RichEdit1->viewport()->setCursor(Qt::PointingHandCursor);
    RichEdit1->viewport()->installEventFilter(this);

    Button1->setGeometry(0, 0, 0, 0);
    Button1->setFocusPolicy(Qt::StrongFocus);
    Button1->setFlat(true);
}

void TForm5::placeonscreen(const QRect& screen) {
    setGeometry(screen.x(), screen.y() + screen.height() - height(), screen.width(), height());
}

void TForm5::setfontstyles(std::optional<bool> bold, std::optional<bool> italic,
                           std::optional<bool> underline) {
    QFont font = RichEdit1->font();
    if (bold) font.setBold(*bold);
    if (italic) font.setItalic(*italic);
    if (underline) font.setUnderline(*underline);
    settextfont(font);
}

void TForm5::setfontface(const QString& family, int points, QColor color) {
    QFont font = RichEdit1->font();
    font.setFamily(family);
    if (points > 0) font.setPointSize(std::min(points, kMaxFontSize));
    settextfont(font);
    QPalette pal = RichEdit1->palette();
    pal.setColor(QPalette::Text, color);
    RichEdit1->setPalette(pal);
}

void TForm5::settextfont(const QFont& font) {
    QFont crisp = font;
    // Smoothed edges would blend with the see-through silver into a grey halo.
    crisp.setStyleStrategy(QFont::NoAntialias);
    RichEdit1->setFont(crisp);
    RichEdit1->document()->setDefaultFont(crisp);
}

void TForm5::starttheshow(const QString& text, bool fade) {
    RichEdit1->clear();
    RichEdit1->setPlainText(text);
    beginshow(fade);
}

QString TForm5::text() const {
    return RichEdit1->toPlainText();
}

void TForm5::clearcontent() {
    RichEdit1->clear();
}

void TForm5::layoutcontent() {
    RichEdit1->setGeometry(rect());
}

void TForm5::FormShow() {
    raise();
    Button1->setFocus();
}

bool TForm5::eventFilter(QObject* watched, QEvent* event) {
    if (watched == RichEdit1->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton) RichEdit1Click();
        return true;
    }
    return OverlayWindow::eventFilter(watched, event);
}
