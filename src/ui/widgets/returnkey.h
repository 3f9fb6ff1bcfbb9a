#pragma once

class QWidget;

// Return or Enter on a focused push button inside `window` presses it, as Space does and
// as in every dialog of the desktop. Dialogs do so themselves; other windows ask here.
void returnpressesbuttons(QWidget* window);
