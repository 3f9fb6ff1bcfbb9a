#include "present/overlaywindow.h"

#include "platform/desktopwindow.h"
#include "platform/windowshape.h"
#include "present/announcement.h"
#include "present/overlaymask.h"

#include <QGraphicsOpacityEffect>
#include <QHideEvent>
#include <QKeyEvent>
#include <QShowEvent>
#include <QTimer>

OverlayWindow::OverlayWindow(FadeConstants fade, QColor key, QWidget* parent)
    // Unmanaged where the desktop has window managers: no manager lists it in a taskbar
    // or pager, moves it, or gives it a frame or shadow, whatever it makes of the type.
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool |
                          Qt::X11BypassWindowManagerHint),
      stimer(new QTimer(this)), etimer(new QTimer(this)), fader_(fade), key_(key) {
    // A reminder must not take the keyboard from what the user is typing into.
    setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, key_);
    setPalette(pal);
    setAutoFillBackground(true);
    for (QTimer* t : {stimer, etimer}) {
        t->setInterval(kFadeTickMsecs);
        t->setTimerType(Qt::PreciseTimer);
    }
    connect(stimer, &QTimer::timeout, this, &OverlayWindow::stimerTimer);
    connect(etimer, &QTimer::timeout, this, &OverlayWindow::etimerTimer);
}

void OverlayWindow::beginshow(bool fade) {
    setopacity(fader_.start(fade));
    synctimers();
    layoutcontent();
    refreshmask();
    show();
}

void OverlayWindow::stimerTimer() {
    if (auto opacity = fader_.fadeintick()) setopacity(*opacity);
    synctimers();
}

void OverlayWindow::endtheshow() {
    fader_.end();
    synctimers();
}

void OverlayWindow::etimerTimer() {
    const Fader::OutTick tick = fader_.fadeouttick();
    if (tick.opacity) setopacity(*tick.opacity);
    synctimers();
    if (tick.hide) {
        clearcontent();
        hide();
    }
}

void OverlayWindow::dismiss() {
    const Fader::Click action = fader_.click();
    synctimers();
    if (action == Fader::Click::Hide) hide();
}

QImage OverlayWindow::rendered() {
    return grab().toImage();
}

void OverlayWindow::FormHide() {
    clearcontent();
    fader_.hidden();
    synctimers();
}

void OverlayWindow::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    announceshown(this);
    FormShow();
}

void OverlayWindow::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    if (!e->spontaneous()) FormHide();
}

void OverlayWindow::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    layoutcontent();
    if (isVisible()) refreshmask();
}

void OverlayWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(e);
}

void OverlayWindow::setopacity(int level) {
    const qreal opacity = level / 255.0;
    if (!opacity_)
        setWindowOpacity(opacity);
    else if (!opacity_->apply(this, opacity))
        drawopacity(opacity);
}

void OverlayWindow::drawopacity(qreal opacity) {
    // Where the window cannot fade as a whole its content fades as it is drawn, over
    // whatever the window shows of the desktop.
    QWidget* content = contentcontrol();
    if (!content) return; // nothing shown yet
    if (opacity >= 1.0) {
        content->setGraphicsEffect(nullptr);
        return;
    }
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(content->graphicsEffect());
    if (!effect) {
        effect = new QGraphicsOpacityEffect(content);
        content->setGraphicsEffect(effect);
    }
    effect->setOpacity(opacity);
}

void OverlayWindow::synctimers() {
    // A running timer is left alone so its rhythm is kept.
    if (fader_.fadingin() != stimer->isActive())
        fader_.fadingin() ? stimer->start() : stimer->stop();
    if (fader_.fadingout() != etimer->isActive())
        fader_.fadingout() ? etimer->start() : etimer->stop();
}

void OverlayWindow::refreshmask() {
    // In device pixels: a scaled screen keeps the see-through exactly where the key is.
    outline_ = opaqueregion(rendered(), key_);
    const ShapeUse use = perpixelalpha() ? ShapeUse::InputOnly : ShapeUse::Whole;
    if (shape_ && shape_->apply(this, outline_, use)) return;
    // Qt's masks cut drawing too: a window that draws its own see-through keeps none.
    if (use == ShapeUse::Whole)
        setMask(scaledmask(outline_, devicePixelRatioF()));
    else
        clearMask();
}
