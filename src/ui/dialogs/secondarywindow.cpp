#include "ui/dialogs/secondarywindow.h"

#include "ui/widgets/screenfit.h"

#include <QShowEvent>

SecondaryWindow::SecondaryWindow(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
}

void SecondaryWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (e->spontaneous()) return;
    placeatfirstshow(this);
    emit shown();
}

void SecondaryWindow::hideEvent(QHideEvent* e) {
    QDialog::hideEvent(e);
    if (!e->spontaneous()) emit hidden();
}
