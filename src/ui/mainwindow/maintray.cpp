// The main window's life beside the tray: its caption's close and minimise buttons hide
// it, Restore brings it back. Where no tray host runs the window is iconified instead,
// so the taskbar always gives it back; a close request never ends the program.
#include "ui/mainwindow/main.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QTimer>

namespace {
// Wayland lets a program minimise its window but never bring it back, and where no
// taskbar lists it nobody else can either.
bool minimisedcomesback() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
} // namespace

bool TForm1::WMSysCommand(SysCommand) {
    if (isMinimized()) return false;
    hideintray();
    return true;
}

void TForm1::hideintray() {
    if (!trayhost_) {
        intray_ = false;
        // Without one, a shown window stays, an unshown one waits for the next start.
        if (minimisedcomesback()) showMinimized();
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
    // Wayland never tells a program its window was minimised (isMinimized() stays false)
    // nor lets it undo that, and some window managers honour no raise: there a window not
    // in front is shown anew, a new window put in front, with the activation token lent
    // for it where there is one.
    const bool anew = showanew_ ? showanew_() : !minimisedcomesback();
    const bool lost = anew && isVisible() && !isActiveWindow();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    setWindowOpacity(1.0);
    if (lost) hide();
    show();
    raise();
    activateWindow();
}

void TForm1::closeEvent(QCloseEvent* e) {
    // Only the Exit commands end the program: a desktop that sends close requests
    // where it could not iconify would otherwise end it unasked.
    e->ignore();
    hideintray();
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
