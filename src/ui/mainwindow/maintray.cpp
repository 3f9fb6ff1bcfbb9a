// The main window's life beside the tray: its caption's close and minimise buttons hide
// it, Restore brings it back. Where no tray host runs the window is iconified instead,
// so the taskbar always gives it back.
#include "ui/mainwindow/main.h"

#include <QCloseEvent>
#include <QTimer>

bool TForm1::WMSysCommand(SysCommand) {
    if (isMinimized()) return false;
    hideintray();
    return true;
}

void TForm1::hideintray() {
    if (!trayhost_) {
        intray_ = false;
        showMinimized();
        return;
    }
    intray_ = true;
    hide();
}

void TForm1::settrayhost(bool available) {
    trayhost_ = available;
    // The tray that held the window went away: the taskbar must hold it now.
    if (!available && intray_) hideintray();
}

void TForm1::Restore1Click() {
    intray_ = false;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    setWindowOpacity(1.0);
    show();
    raise();
    activateWindow();
}

void TForm1::closeEvent(QCloseEvent* e) {
    e->ignore();
    if (WMSysCommand(SysCommand::Close)) return;
    // Closed while iconified: the exit decision ends the program or asks to save.
    emit exitRequested();
}

void TForm1::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange || !isMinimized() || !trayhost_ || !isVisible())
        return;
    // Hiding from inside the state change confuses some window managers; a moment later
    // the window is still minimised unless something restored it meanwhile.
    QTimer::singleShot(0, this, [this] {
        if (isMinimized() && trayhost_ && isVisible()) hideintray();
    });
}
