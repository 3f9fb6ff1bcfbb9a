#pragma once

class QWidget;

// A fixed-size window with the close box only, kept above the program's other windows:
// a dialog to the window manager, with neither minimise nor maximise offered.
void makefixedwindow(QWidget* window);

// Shows `window` in front, also when a window manager minimised it all the same.
void bringforward(QWidget* window);
