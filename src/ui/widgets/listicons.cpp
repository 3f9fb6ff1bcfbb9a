#include "ui/widgets/listicons.h"

#include "ui/widgets/circle.h"
#include "ui/widgets/drawnicon.h"
#include "ui/widgets/filesicon.h"

#include <QApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

// Every picture is drawn on a 16-unit grid and scaled, so the 16 px list icons
// and the large program icon come from the same strokes.
class Canvas {
public:
    explicit Canvas(int size) : image_(size, size, QImage::Format_ARGB32_Premultiplied) {
        image_.fill(Qt::transparent);
        painter_.begin(&image_);
        painter_.setRenderHint(QPainter::Antialiasing);
        painter_.scale(size / 16.0, size / 16.0);
    }
    QPainter& p() { return painter_; }
    // A copy: a picture painted on keeps its paint engine, some kilobytes an icon, for as
    // long as it lives.
    QPixmap done() {
        painter_.end();
        return QPixmap::fromImage(image_.copy());
    }

private:
    QImage image_;
    QPainter painter_;
};

QPen pen(const QColor& c, double w) {
    QPen p(c, w);
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

void ball(QPainter& p, const QColor& light, const QColor& dark) {
    QRadialGradient g(QPointF(6.5, 5.5), 8);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setBrush(g);
    p.setPen(pen(dark.darker(130), 0.8));
    p.drawEllipse(QPointF(8, 8), 6.6, 6.6);
}

void active(QPainter& p) {
    ball(p, QColor(0x9be89b), QColor(0x1e8e3e));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({{6.4, 4.8}, {6.4, 11.2}, {11.5, 8}}));
}

void inactive(QPainter& p) {
    ball(p, QColor(0xf6a19a), QColor(0xc5221f));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(5.4, 5.4, 5.2, 5.2), 0.8, 0.8);
}

void audio(QPainter& p) {
    const QColor ink(0x3949ab);
    p.setPen(pen(ink, 1.2));
    p.drawLine(QPointF(6.4, 11.6), QPointF(6.4, 4.2));
    p.drawLine(QPointF(13.2, 10.2), QPointF(13.2, 2.7));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(QPolygonF({{5.8, 3.4}, {13.8, 1.8}, {13.8, 4.4}, {5.8, 6.0}}));
    for (QPointF head : {QPointF(4.4, 12.1), QPointF(11.2, 10.7)}) {
        p.save();
        p.translate(head);
        p.setTransform(turned(-22), true);
        p.drawEllipse(QPointF(0, 0), 2.5, 1.8);
        p.restore();
    }
}

void certaintime(QPainter& p) {
    QLinearGradient face(0, 1, 0, 15);
    face.setColorAt(0, Qt::white);
    face.setColorAt(1, QColor(0xdde3e8));
    p.setBrush(face);
    p.setPen(pen(QColor(0x37474f), 1.3));
    p.drawEllipse(QPointF(8, 8), 6.6, 6.6);
    p.setPen(pen(QColor(0x607d8b), 0.8));
    for (int i = 0; i < 4; ++i) {
        const QPointF u = unitpoint(i * 90.0);
        p.drawLine(QPointF(8 + 4.6 * u.y(), 8 - 4.6 * u.x()),
                   QPointF(8 + 5.5 * u.y(), 8 - 5.5 * u.x()));
    }
    p.setPen(pen(QColor(0x263238), 1.3));
    p.drawLine(QPointF(8, 8), QPointF(5.0, 6.3));
    p.setPen(pen(QColor(0x263238), 0.9));
    p.drawLine(QPointF(8, 8), QPointF(12.2, 5.6));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd32f2f));
    p.drawEllipse(QPointF(8, 8), 0.9, 0.9);
}

void countdown(QPainter& p) {
    const QPolygonF glass({{4.4, 3}, {11.6, 3}, {8.9, 8}, {11.6, 13}, {4.4, 13}, {7.1, 8}});
    p.setPen(pen(QColor(0x78909c), 0.7));
    p.setBrush(QColor(225, 240, 250, 200));
    p.drawPolygon(glass);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf9a825));
    p.drawPolygon(QPolygonF({{6.0, 4.8}, {10.0, 4.8}, {8, 7.6}}));
    p.drawPolygon(QPolygonF({{5.1, 12.9}, {10.9, 12.9}, {8, 10.2}}));
    p.setPen(pen(QColor(0xf9a825), 0.6));
    p.drawLine(QPointF(8, 7.6), QPointF(8, 11.4));
    QLinearGradient wood(0, 0, 16, 0);
    wood.setColorAt(0, QColor(0x8d6e63));
    wood.setColorAt(1, QColor(0x5d4037));
    p.setPen(Qt::NoPen);
    p.setBrush(wood);
    p.drawRoundedRect(QRectF(2.8, 1.4, 10.4, 1.8), 0.6, 0.6);
    p.drawRoundedRect(QRectF(2.8, 12.8, 10.4, 1.8), 0.6, 0.6);
}

QPainterPath bellpath() {
    QPainterPath bell;
    bell.moveTo(2.4, 12.2);
    bell.quadTo(4.0, 11.0, 4.0, 8.0);
    bell.cubicTo(4.0, 4.6, 5.8, 3.0, 8.0, 3.0);
    bell.cubicTo(10.2, 3.0, 12.0, 4.6, 12.0, 8.0);
    bell.quadTo(12.0, 11.0, 13.6, 12.2);
    bell.closeSubpath();
    return bell;
}

void bell(QPainter& p, const QColor& light, const QColor& mid, const QColor& dark) {
    p.setPen(Qt::NoPen);
    p.setBrush(dark);
    p.drawEllipse(QPointF(8, 13.3), 1.6, 1.5);
    p.drawEllipse(QPointF(8, 2.4), 1.1, 1.1);
    QLinearGradient g(3, 0, 13, 0);
    g.setColorAt(0, light);
    g.setColorAt(0.45, mid);
    g.setColorAt(1, dark);
    p.setBrush(g);
    p.setPen(pen(dark.darker(140), 0.7));
    p.drawPath(bellpath());
    p.setPen(pen(light.lighter(115), 0.7));
    p.drawLine(QPointF(3.4, 12.2), QPointF(12.6, 12.2));
}

void notification(QPainter& p) {
    bell(p, QColor(0xfff2b3), QColor(0xf9c02c), QColor(0xb07800));
}

void image(QPainter& p) {
    const QRectF frame(1.5, 3, 13, 10);
    QLinearGradient sky(0, 3, 0, 13);
    sky.setColorAt(0, QColor(0x64b5f6));
    sky.setColorAt(1, QColor(0xe3f2fd));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRect(frame);
    p.save();
    p.setClipRect(frame);
    p.setBrush(QColor(0xfdd835));
    p.drawEllipse(QPointF(11.2, 6.0), 1.5, 1.5);
    p.setBrush(QColor(0x2e7d32));
    p.drawPolygon(QPolygonF({{1.5, 13}, {6, 7.2}, {9.2, 10.8}, {10.6, 9.2}, {14.5, 13}}));
    p.setBrush(QColor(0x66bb6a));
    p.drawPolygon(QPolygonF({{6, 7.2}, {7.3, 8.9}, {6.2, 9.6}, {5, 8.5}}));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(0x455a64), 1.0));
    p.drawRect(frame);
}

void runonce(QPainter& p) {
    const QColor blue(0x1e88e5);
    p.setPen(pen(blue, 2.2));
    p.drawLine(QPointF(1.8, 8), QPointF(8.8, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawPolygon(QPolygonF({{8.2, 4.0}, {12.6, 8}, {8.2, 12.0}}));
    p.setPen(pen(QColor(0x37474f), 1.7));
    p.drawLine(QPointF(14.1, 3.2), QPointF(14.1, 12.8));
}

// An arc around the centre ending in an arrowhead that points the way it runs.
void arrowarc(QPainter& p, double startDeg, double spanDeg, const QColor& c) {
    const double r = 5.4;
    QPainterPath arc;
    appendarc(arc, QPointF(8, 8), r, startDeg, spanDeg);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(c, 2.0));
    p.drawPath(arc);
    const QPointF e = unitpoint(startDeg + spanDeg);
    const QPointF end(8 + r * e.x(), 8 - r * e.y());
    const QPointF ahead(-e.y(), -e.x()); // direction of travel, counter-clockwise
    const QPointF out(e.x(), -e.y());
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({end + ahead * 2.6, end + out * 2.4, end - out * 2.4}));
}

void repeat(QPainter& p) {
    arrowarc(p, 20, 130, QColor(0x2e7d32));
    arrowarc(p, 200, 130, QColor(0x43a047));
}

void page(QPainter& p) {
    QPainterPath sheet;
    sheet.moveTo(3, 1.5);
    sheet.lineTo(9.5, 1.5);
    sheet.lineTo(13, 5);
    sheet.lineTo(13, 14.5);
    sheet.lineTo(3, 14.5);
    sheet.closeSubpath();
    p.setBrush(Qt::white);
    p.setPen(pen(QColor(0x546e7a), 0.9));
    p.drawPath(sheet);
    p.setBrush(QColor(0xcfd8dc));
    p.drawPolygon(QPolygonF({{9.5, 1.5}, {9.5, 5}, {13, 5}}));
    p.setPen(pen(QColor(0xb0bec5), 0.8));
    for (double y : {7.5, 9.5, 11.5})
        p.drawLine(QPointF(5, y), QPointF(11, y));
}

void newfile(QPainter& p) {
    page(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e7d32));
    p.drawEllipse(QPointF(11.5, 11.8), 3.6, 3.6);
    p.setPen(pen(Qt::white, 1.4));
    p.drawLine(QPointF(11.5, 9.8), QPointF(11.5, 13.8));
    p.drawLine(QPointF(9.5, 11.8), QPointF(13.5, 11.8));
}

void openfile(QPainter& p) {
    p.setPen(pen(QColor(0xa06800), 0.8));
    p.setBrush(QColor(0xf0b429));
    p.drawPolygon(
        QPolygonF({{1.2, 3}, {6, 3}, {7.4, 4.6}, {13.8, 4.6}, {13.8, 13.5}, {1.2, 13.5}}));
    QLinearGradient front(0, 6, 0, 14);
    front.setColorAt(0, QColor(0xffe082));
    front.setColorAt(1, QColor(0xf9c02c));
    p.setBrush(front);
    p.drawPolygon(QPolygonF({{3.4, 7}, {15.4, 7}, {13.8, 13.5}, {1.2, 13.5}}));
}

void savefile(QPainter& p) {
    p.setPen(pen(QColor(0x0d47a1), 0.8));
    p.setBrush(QColor(0x1e63c4));
    p.drawRoundedRect(QRectF(1.8, 1.8, 12.4, 12.4), 1.2, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe3f2fd));
    p.drawRect(QRectF(4.2, 1.8, 7.6, 4.6));
    p.setBrush(QColor(0x0d47a1));
    p.drawRect(QRectF(9.2, 2.6, 1.6, 3.0));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(3.6, 8.4, 8.8, 5.0), 0.6, 0.6);
}

void settings(QPainter& p) {
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double r = i % 2 == 0 ? 7.0 : 5.3;
        const QPointF p0 = QPointF(8, 8) + r * unitpoint((i - 0.5) * 180.0 / teeth);
        const QPointF p1 = QPointF(8, 8) + r * unitpoint((i + 0.5) * 180.0 / teeth);
        if (i == 0)
            gear.moveTo(p0);
        else
            gear.lineTo(p0);
        gear.lineTo(p1);
    }
    gear.closeSubpath();
    gear.addEllipse(QPointF(8, 8), 2.3, 2.3);
    QLinearGradient steel(0, 1, 0, 15);
    steel.setColorAt(0, QColor(0xb0bec5));
    steel.setColorAt(1, QColor(0x546e7a));
    p.setBrush(steel);
    p.setPen(pen(QColor(0x37474f), 0.7));
    p.drawPath(gear);
}

void edit(QPainter& p) {
    p.save();
    p.translate(8, 8);
    p.setTransform(turned(-45), true);
    p.setPen(pen(QColor(0x8d5a00), 0.6));
    p.setBrush(QColor(0xffb300));
    p.drawRect(QRectF(-4.2, -1.6, 8.4, 3.2));
    p.setBrush(QColor(0xef9a9a));
    p.drawRect(QRectF(4.2, -1.6, 2.0, 3.2));
    p.setBrush(QColor(0xf5deb3));
    p.drawPolygon(QPolygonF({{-4.2, -1.6}, {-7.0, 0}, {-4.2, 1.6}}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x37474f));
    p.drawPolygon(QPolygonF({{-6.0, -0.6}, {-7.0, 0}, {-6.0, 0.6}}));
    p.restore();
}

void remove(QPainter& p) {
    p.setPen(pen(QColor(0xb71c1c), 3.2));
    p.drawLine(QPointF(3.6, 3.6), QPointF(12.4, 12.4));
    p.drawLine(QPointF(12.4, 3.6), QPointF(3.6, 12.4));
    p.setPen(pen(QColor(0xe53935), 1.8));
    p.drawLine(QPointF(3.6, 3.6), QPointF(12.4, 12.4));
    p.drawLine(QPointF(12.4, 3.6), QPointF(3.6, 12.4));
}

using Drawer = void (*)(QPainter&);

QIcon iconfrom(Drawer draw) {
    return drawnicon([draw](int size) {
        Canvas c(size);
        draw(c.p());
        return c.done();
    });
}

constexpr Drawer kListDrawers[ImageList::kCount] = {
    active, inactive, audio, certaintime, countdown, notification, image, runonce, repeat};

} // namespace

QPixmap drawlisticon(int index, int size) {
    Canvas c(size);
    if (index >= 0 && index < ImageList::kCount) kListDrawers[index](c.p());
    return c.done();
}

ImageList::ImageList() {
    // Selected rows keep the normal look (drawnicon greys only the disabled one): the
    // style's tint would hide the icons in the highlight.
    for (int i = 0; i < kCount; ++i)
        icons_[static_cast<std::size_t>(i)] =
            drawnicon([i](int size) { return drawlisticon(i, size); });
}

QIcon ImageList::icon(int index) const {
    if (index < 0 || index >= kCount) return QIcon();
    return icons_[static_cast<std::size_t>(index)];
}

QPixmap ImageList::pixmap(int index) const {
    return icon(index).pixmap(kSize, kSize);
}

QIcon programicon() {
    // The pictures the desktop entry installs, rendered from one drawing. Each size goes
    // into a window's icon property, so the largest stays with the desktop entry alone;
    // the sizes above 48 pixels serve only that property and are not kept.
    static QIcon* icon = nullptr;
    if (!icon) {
        std::vector<std::pair<int, QString>> files;
        for (int size : {16, 22, 24, 32, 48, 64, 128})
            files.emplace_back(size, QStringLiteral(":/icons/chimelet-%1.png").arg(size));
        icon = new QIcon(filesicon(std::move(files), 48));
        QObject::connect(qApp, &QObject::destroyed, [] {
            delete icon;
            icon = nullptr;
        });
    }
    return *icon;
}

QPixmap drawprogramicon(int size) {
    return programicon().pixmap(QSize(size, size), 1.0);
}

QIcon glyphicon(Glyph g) {
    switch (g) {
    case Glyph::NewFile:
        return iconfrom(newfile);
    case Glyph::OpenFile:
        return iconfrom(openfile);
    case Glyph::SaveFile:
        return iconfrom(savefile);
    case Glyph::Settings:
        return iconfrom(settings);
    case Glyph::Edit:
        return iconfrom(edit);
    case Glyph::Delete:
        return iconfrom(remove);
    }
    return QIcon();
}
