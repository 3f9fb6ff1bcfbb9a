#pragma once

class QMessageBox;
class QWidget;

// Starts following which of the program's windows the user works in; call once the
// application exists.
void followactivewindow();

// The window a dialog belongs to: the program's active window, or, while the focus is
// between windows (a file dialog has just closed), the one the user last worked in.
// None when no window of the program is up.
QWidget* dialogowner();

// A window manager keeps stay-on-top windows over every other, and the help window, the
// editor and the secondary windows stay on top: a dialog must share that layer, or it
// opens behind whichever of them covers its place. The overlays, which no window manager
// stacks, go below it while it is up.
void keepontop(QWidget& dialog);

// Makes a message box belong to its owner: modal for it alone, opened above every window
// of the program, and wide enough to show its whole title.
void fitmessagebox(QMessageBox& box);
