#include "ui/mainwindow/preview.h"

#include "present/picturejob.h"
#include "readers/pictureloader.h"
#include "store/ansitext.h"
#include "store/colortable.h"
#include "ui/mainwindow/banner.h"
#include "ui/widgets/picturepane.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QColor scrollbarcolor() {
    return QApplication::palette().color(QPalette::Button);
}

void applyflag(uint8_t flag, QFont& font, void (QFont::*set)(bool)) {
    if (flag == 1) (font.*set)(true);
    if (flag == 0) (font.*set)(false);
}

} // namespace

QFont previewfont(QFont font, const TNotificationRecord& rec) {
    applyflag(rec.FontBold, font, &QFont::setBold);
    applyflag(rec.FontItalic, font, &QFont::setItalic);
    applyflag(rec.FontUnderline, font, &QFont::setUnderline);
    font.setFamily(fromansi(rec.FontName));
    // Sizes under 5 have no fifth to show; the line keeps its last size then.
    if (rec.FontSize / 5 > 0) font.setPointSize(std::min(rec.FontSize, kMaxFontSize) / 5);
    return font;
}

PreviewPanel::PreviewPanel(QWidget* parent)
    : QFrame(parent), Image2(new Banner(this)), Image1(new PicturePane(this)),
      StaticText2(new QLabel(this)), picturejob_(new PictureJob(this)) {
    setObjectName(QStringLiteral("Panel3"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);

    StaticText2->setObjectName(QStringLiteral("StaticText2"));
    StaticText2->setTextFormat(Qt::PlainText); // a message is shown as typed, never as markup
    StaticText2->setAlignment(Qt::AlignCenter);
    StaticText2->setTextInteractionFlags(Qt::TextSelectableByMouse);
    StaticText2->setAutoFillBackground(true);
    StaticText2->setFixedSize(303, 28);
    QPalette pal = StaticText2->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::yellow);
    StaticText2->setPalette(pal);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(15);
    StaticText2->setFont(font);

    Image1->setObjectName(QStringLiteral("Image1"));
    Image2->setObjectName(QStringLiteral("Image2"));
    setAccessibleName(QStringLiteral("Preview"));
    Image1->setAccessibleName(QStringLiteral("Preview picture"));
    Image2->setAccessibleName(QStringLiteral("Chimelet"));
    StaticText2->setAccessibleDescription(QStringLiteral("Preview text"));

    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(10, 8, 10, 8);
    bottom->setSpacing(12);
    bottom->addWidget(Image1, 0, Qt::AlignBottom);
    bottom->addWidget(StaticText2, 0, Qt::AlignBottom);
    bottom->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Image2);
    layout->addLayout(bottom, 1);
}

void PreviewPanel::clear() {
    StaticText2->clear();
    picturejob_->cancel();
    Image1->clear();
}

void PreviewPanel::present(const TNotificationRecord& rec) {
    picturejob_->cancel();
    Image1->clear();
    const QString path = fromansi(rec.ImageFile);
    if (rec.DisplayImage == 1 && !path.isEmpty() && QFileInfo(path).isFile())
        picturejob_->start([path] { return loadpicture(path); },
                           [this](const QImage& picture) { Image1->setpicture(picture); });
    StaticText2->clear();
    if (rec.DisplayText != 1 || rec.MessageText.empty()) return;
    StaticText2->setFont(previewfont(StaticText2->font(), rec));
    const Rgb c = stringtocolor(rec.FontColor, [] {
        const QColor s = scrollbarcolor();
        return Rgb{static_cast<uint8_t>(s.red()), static_cast<uint8_t>(s.green()),
                   static_cast<uint8_t>(s.blue())};
    }());
    QPalette pal = StaticText2->palette();
    pal.setColor(QPalette::WindowText, QColor(c.r, c.g, c.b));
    StaticText2->setPalette(pal);
    StaticText2->setText(fromansi(rec.MessageText));
}
