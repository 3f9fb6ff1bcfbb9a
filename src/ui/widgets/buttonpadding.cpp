#include "ui/widgets/buttonpadding.h"

#include <QApplication>
#include <QStyleOptionButton>

#include <algorithm>

QSize ButtonPaddingStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                           const QSize& size, const QWidget* widget) const {
    QSize out = QProxyStyle::sizeFromContents(type, option, size, widget);
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (type != CT_PushButton || !button || button->text.isEmpty()) return out;
    // `size` is the caption (and icon) alone; the frame and focus ring sit in the margin.
    const int side = option->fontMetrics.height() * 2 / 3;
    const int frame = pixelMetric(PM_DefaultFrameWidth, option, widget);
    out.setWidth(std::max(out.width(), size.width() + 2 * (side + frame)));
    return out;
}

void padbuttons() {
    if (!qobject_cast<ButtonPaddingStyle*>(QApplication::style()))
        QApplication::setStyle(new ButtonPaddingStyle);
}
