#pragma once

class QWidget;

// Where the time between main and the first painted main window goes. With
// CHIMELET_TRACE_STARTUP=1 each step is timed from the start of main, and the table
// goes to stderr once the main window has been painted; otherwise marks cost nothing.
namespace startuptrace {
// Called first thing in main.
void begin();
void mark(const char* step);
// Prints the table at the window's first paint.
void finishon(QWidget* window);
} // namespace startuptrace
