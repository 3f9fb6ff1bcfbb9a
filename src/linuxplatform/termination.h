#pragma once

#include <functional>

// Turns SIGTERM and SIGINT (a logout, a kill, Ctrl+C) into a call on the GUI thread,
// so they end the program through its one shutdown routine.
void onterminationsignal(std::function<void()> handler);
