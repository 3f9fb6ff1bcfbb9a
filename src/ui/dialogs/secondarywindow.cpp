#include "ui/dialogs/secondarywindow.h"

#include "ui/widgets/fixedwindow.h"
#include "ui/widgets/screenfit.h"

#include <QShowEvent>

SecondaryWindow::SecondaryWindow(QWidget* parent) : QDialog(parent) {
    makefixedwindow(this);
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
