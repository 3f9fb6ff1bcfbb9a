#pragma once

// What a compositor that places every window itself leaves a program: Wayland's, and
// Weston's X11 window manager, which keeps the windows it does not manage under its
// panel and ignores both a raise and _NET_ACTIVE_WINDOW.

// Whether a window comes forward only when shown anew, as a new window: the program can
// neither raise it nor undo a minimise it was not told of, but every window given to the
// compositor to manage is put in front.
bool forwardbyshowinganew();

// Whether only a managed window in the full-screen state covers the desktop's panels.
bool coverpanelsbyfullscreen();
