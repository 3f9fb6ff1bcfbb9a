#include "linuxplatform/sessionplatform.h"

#include <gtest/gtest.h>

// The fields: argument, CHIMELET_PLATFORM, QT_QPA_PLATFORM, X server reachable,
// WAYLAND_DISPLAY, session type.

TEST(WindowPlatform, AReachableX11WinsOverTheSessionsWaylandDefault) {
    EXPECT_EQ(windowplatform({"", "", "", true, "wayland-0", "wayland"}), "xcb");
    EXPECT_EQ(windowplatform({"", "", "wayland", true, "wayland-0", "wayland"}), "xcb")
        << "set for every Qt program of the session";
    EXPECT_EQ(windowplatform({"", "", "wayland;xcb", true, "", "wayland"}), "xcb");
    EXPECT_EQ(windowplatform({"", "", "", false, "wayland-0", ""}), "wayland")
        << "X11 refuses: Wayland without a try of X11 first";
    EXPECT_EQ(windowplatform({"", "", "", false, "", "x11"}), "") << "nothing to choose from";
}

TEST(WindowPlatform, OnlyAChoiceForChimeletItselfOrNoX11LeavesWayland) {
    EXPECT_EQ(windowplatform({"wayland", "", "", true, "wayland-0", "wayland"}), "wayland");
    EXPECT_EQ(windowplatform({"", "wayland", "xcb", true, "wayland-0", "wayland"}), "wayland");
    EXPECT_EQ(windowplatform({"xcb", "wayland", "wayland", true, "w", "wayland"}), "xcb")
        << "the command line before the variable";
    EXPECT_EQ(windowplatform({"", "", "offscreen", true, "wayland-0", "wayland"}), "")
        << "not the session's Wayland default";
}
