#include "linuxplatform/statusnotifieritem.h"

#include <QApplication>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QIcon>
#include <QImage>
#include <QMenu>

namespace {

const QString kPath = QStringLiteral("/StatusNotifierItem");
const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");

QList<StatusNotifierPixmap> pixmaps(const QIcon& icon) {
    QList<StatusNotifierPixmap> all;
    for (const int side : {16, 22, 32, 48}) {
        const QImage image =
            icon.pixmap(side, side).toImage().convertToFormat(QImage::Format_ARGB32);
        if (image.isNull()) continue;
        StatusNotifierPixmap p{image.width(), image.height(), {}};
        p.argb.reserve(qsizetype(image.width()) * image.height() * 4);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                for (const int v : {qAlpha(c), qRed(c), qGreen(c), qBlue(c)})
                    p.argb.append(char(v));
            }
        all.append(p);
    }
    return all;
}

} // namespace

QDBusArgument& operator<<(QDBusArgument& out, const StatusNotifierPixmap& p) {
    out.beginStructure();
    out << p.width << p.height << p.argb;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, StatusNotifierPixmap& p) {
    in.beginStructure();
    in >> p.width >> p.height >> p.argb;
    in.endStructure();
    return in;
}

StatusNotifierItem::StatusNotifierItem(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)), pixmaps_(pixmaps(QApplication::windowIcon())) {
    qDBusRegisterMetaType<StatusNotifierPixmap>();
    qDBusRegisterMetaType<QList<StatusNotifierPixmap>>();
    bus_.registerObject(kPath, this,
                        QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties |
                            QDBusConnection::ExportAllSignals);
    announce();
}

StatusNotifierItem::~StatusNotifierItem() {
    // Hosts drop an item whose object is gone from the bus.
    bus_.unregisterObject(kPath);
}

void StatusNotifierItem::announce() {
    bus_.send(QDBusMessage::createMethodCall(kWatcher, QStringLiteral("/StatusNotifierWatcher"),
                                             kWatcher, QStringLiteral("RegisterStatusNotifierItem"))
              << bus_.baseService());
}

void StatusNotifierItem::setmenu(std::function<QMenu*()> menu) {
    menu_ = std::move(menu);
}

void StatusNotifierItem::ContextMenu(int x, int y) {
    if (!menu_) return;
    if (QMenu* menu = menu_()) menu->popup(QPoint(x, y));
}

void StatusNotifierItem::Activate(int, int) {
    emit activated();
}

void StatusNotifierItem::SecondaryActivate(int, int) {
    emit activated();
}
