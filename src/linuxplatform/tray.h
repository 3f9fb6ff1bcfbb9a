#pragma once

#include "platform/tray.h"

class QSystemTrayIcon;

// QSystemTrayIcon; without a tray host it stays invisible and balloons go nowhere.
class SystemTrayIcon : public TrayIcon {
    Q_OBJECT
public:
    explicit SystemTrayIcon(QObject* parent = nullptr);
    void show() override;
    void hide() override;
    bool isVisible() const override;
    void setmenu(QMenu* menu) override;

protected:
    void popballoon(const QString& title, const QString& text, int msecs) override;
    void withdrawballoon() override;

private:
    QSystemTrayIcon* icon_;
};
