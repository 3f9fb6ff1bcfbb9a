#include "ui/mainwindow/banner.h"

#include "ui/widgets/listicons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

Banner::Banner(QWidget* parent) : QWidget(parent) {
    setFixedHeight(64);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void Banner::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();

    QLinearGradient sky(r.topLeft(), r.topRight());
    sky.setColorAt(0, QColor(0x1a237e));
    sky.setColorAt(0.55, QColor(0x1565c0));
    sky.setColorAt(1, QColor(0x00838f));
    p.fillRect(r, sky);

    // Rings spreading from the bell, like a chime's sound.
    const QPointF bell(r.left() + 40, r.center().y());
    for (int i = 1; i <= 9; ++i) {
        const double radius = 26.0 + i * 26.0;
        QColor ring(255, 255, 255, std::max(8, 48 - i * 5));
        p.setPen(QPen(ring, 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(bell, radius, radius);
    }

    const QPixmap icon = drawprogramicon(48 * qRound(devicePixelRatioF()));
    p.drawPixmap(QRectF(bell.x() - 24, bell.y() - 24, 48, 48), icon, icon.rect());

    QFont title = font();
    title.setPixelSize(30);
    title.setBold(true);
    title.setLetterSpacing(QFont::PercentageSpacing, 104);
    p.setFont(title);
    const QRectF textArea(bell.x() + 40, r.top(), r.width() - bell.x() - 40, r.height());
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(textArea.translated(1.5, 1.5), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Chimelet"));
    p.setPen(QColor(0xfff3c4));
    p.drawText(textArea, Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Chimelet"));

    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.drawLine(r.bottomLeft() + QPointF(0, -0.5), r.bottomRight() + QPointF(0, -0.5));
}
