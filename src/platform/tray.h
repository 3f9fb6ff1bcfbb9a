#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QMenu;

// The notification-area icon and its balloon. The balloon text is kept as state:
// clearing it withdraws a balloon still on screen.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kBalloonTitle = "Chimelet Message:";
    static constexpr int kBalloonMsecs = 3000;

    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool isVisible() const = 0;
    // The icon's menu, made by `menu` when it is first wanted: when a panel asks for it,
    // or where only Qt's own icon can show it, when that icon is made.
    virtual void setmenu(std::function<QMenu*()> menu) = 0;
    // Whether the desktop runs a tray host right now; without one the icon cannot be
    // seen, so nothing may rely on it as the way back to the program.
    virtual bool hostavailable() const = 0;

    QString balloontext() const { return balloon_; }
    void setballoontext(const QString& text);
    // Shows the balloon with the current text, title and information icon.
    void showballoon();

signals:
    void clicked();
    void doubleClicked();
    // A tray host appeared or went away.
    void hostChanged(bool available);

protected:
    virtual void popballoon(const QString& title, const QString& text, int msecs) = 0;
    virtual void withdrawballoon() = 0;

private:
    QString balloon_;
};
