#pragma once

class QWidget;

// Keeps `box` above the program's windows that no window manager manages (the overlays):
// whenever the box is shown, those that are up go directly below it. A window manager
// stacks the box among the windows it manages only, under every unmanaged one.
void stackaboveoverlays(QWidget& box);
