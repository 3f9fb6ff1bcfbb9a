#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QList>
#include <QMenu>
#include <QMetaType>
#include <QObject>

#include <functional>

// One picture of the icon as the protocol carries it: ARGB32, big-endian.
struct StatusNotifierPixmap {
    int width = 0;
    int height = 0;
    QByteArray argb;
};
Q_DECLARE_METATYPE(StatusNotifierPixmap)

// The program's own status-notifier item, for panels that ask it for its menu (swaybar
// sends ContextMenu, which Qt's own item leaves unanswered): it pops up the tray menu at
// the place the panel names, and Activate and SecondaryActivate say `activated`. Served
// at /StatusNotifierItem on `bus` and registered with the watcher while it lives.
class StatusNotifierItem : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ Category)
    Q_PROPERTY(QString Id READ Id)
    Q_PROPERTY(QString Title READ Title)
    Q_PROPERTY(QString Status READ Status)
    Q_PROPERTY(QString IconName READ IconName)
    Q_PROPERTY(QList<StatusNotifierPixmap> IconPixmap READ IconPixmap)
    Q_PROPERTY(bool ItemIsMenu READ ItemIsMenu)
public:
    StatusNotifierItem(QDBusConnection bus, QObject* parent = nullptr);
    ~StatusNotifierItem() override;
    StatusNotifierItem(const StatusNotifierItem&) = delete;
    StatusNotifierItem& operator=(const StatusNotifierItem&) = delete;

    // The menu a panel asks for, made at its first asking.
    void setmenu(std::function<QMenu*()> menu);
    // Tells the watcher of the item again (a watcher that started anew knows nothing).
    void announce();

    QString Category() const { return QStringLiteral("ApplicationStatus"); }
    QString Id() const { return QStringLiteral("chimelet"); }
    QString Title() const { return QStringLiteral("Chimelet"); }
    QString Status() const { return QStringLiteral("Active"); }
    QString IconName() const { return {}; }
    QList<StatusNotifierPixmap> IconPixmap() const { return pixmaps_; }
    bool ItemIsMenu() const { return false; }

public slots:
    void ContextMenu(int x, int y);
    void Activate(int x, int y);
    void SecondaryActivate(int x, int y);
    void Scroll(int, const QString&) {}

signals:
    void activated();

private:
    QDBusConnection bus_;
    std::function<QMenu*()> menu_;
    QList<StatusNotifierPixmap> pixmaps_;
};
