#pragma once

#include "present/fader.h"

#include <QColor>
#include <QWidget>

class QTimer;
class WindowOpacity;
class WindowShape;

// What the three overlays share: a borderless, stay-on-top window without a taskbar
// button whose key-colour pixels are see-through and let clicks pass, and that fades
// in when started and out when ended.
class OverlayWindow : public QWidget {
    Q_OBJECT
public:
    // One fade step per display frame.
    static constexpr int kFadeTickMsecs = 16;

    OverlayWindow(FadeConstants fade, QColor key, QWidget* parent = nullptr);

    // Begins the end of the display; ignored while a fade-out runs.
    void endtheshow();
    // This window's part of a click on any overlay: stop fading in, then hide at once
    // or fade out from the level reached.
    void dismiss();

    // How opacity reaches the desktop; without one, Qt's own way.
    void setopacityway(WindowOpacity* way) { opacity_ = way; }
    // How the see-through outline reaches the desktop; without one, Qt's mask.
    void setshapeway(WindowShape* way) { shape_ = way; }

    bool fad() const { return fader_.fad(); }
    int32_t fadelevel() const { return fader_.level(); }
    QColor keycolor() const { return key_; }
    // What of the window stays on screen, in device pixels: all but the key colour.
    const QRegion& outline() const { return outline_; }

    QTimer* stimer; // fade-in
    QTimer* etimer; // fade-out

public slots:
    void stimerTimer();
    void etimerTimer();

signals:
    // The user clicked the content: every overlay ends.
    void clicked();

protected:
    // Shows the window with its content already in place.
    void beginshow(bool fade);
    virtual void clearcontent() = 0;
    // Fits the content control to the window.
    virtual void layoutcontent() = 0;
    virtual QWidget* contentcontrol() const = 0;
    // The window as painted on its key colour, in device pixels, for the see-through mask.
    virtual QImage rendered();
    // A window that draws its see-through pixels itself keeps its outline for clicks only.
    virtual bool perpixelalpha() const { return false; }
    WindowShape* shapeway() const { return shape_; }
    virtual void FormShow() {}
    void FormHide();

    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    // Escape, where the window has the keyboard, ends the overlays as a click does.
    void keyPressEvent(QKeyEvent* e) override;

private:
    void setopacity(int level);
    void drawopacity(qreal opacity);
    void synctimers();
    void refreshmask();

    Fader fader_;
    QColor key_;
    WindowOpacity* opacity_ = nullptr;
    WindowShape* shape_ = nullptr;
    QRegion outline_;
};
