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

// Makes a message box belong to its owner: opened above it (also above a stay-on-top
// owner), modal for it alone, and wide enough to show its whole title.
void fitmessagebox(QMessageBox& box);
