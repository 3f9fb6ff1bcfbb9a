#pragma once

#include <QObject>
#include <QString>

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
    virtual void setmenu(QMenu* menu) = 0;

    QString balloontext() const { return balloon_; }
    void setballoontext(const QString& text);
    // Shows the balloon with the current text, title and information icon.
    void showballoon();

signals:
    void clicked();
    void doubleClicked();

protected:
    virtual void popballoon(const QString& title, const QString& text, int msecs) = 0;
    virtual void withdrawballoon() = 0;

private:
    QString balloon_;
};
