#pragma once

// Whether a window comes forward only when shown anew, as a new window. Wayland lets a
// program neither raise its window nor undo a minimise it was not told of; Weston's X11
// window manager ignores both a raise and _NET_ACTIVE_WINDOW, but puts every window it
// is given to manage in front.
bool forwardbyshowinganew();
