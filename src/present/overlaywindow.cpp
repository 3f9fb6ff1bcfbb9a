#include "present/overlaywindow.h"

#include "platform/desktopwindow.h"
#include "platform/windowshape.h"
#include "present/overlaymask.h"

#include <QHideEvent>
#include <QShowEvent>
#include <QTimer>

OverlayWindow::OverlayWindow(FadeConstants fade, QColor key, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool),
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

void OverlayWindow::setopacity(int level) {
    if (opacity_)
        opacity_->apply(this, level / 255.0);
    else
        setWindowOpacity(level / 255.0);
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
