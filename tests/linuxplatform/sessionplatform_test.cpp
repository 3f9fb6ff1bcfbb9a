#include "linuxplatform/sessionplatform.h"

#include <gtest/gtest.h>

TEST(WindowPlatform, AWaylandSessionWithX11RunsOnX11UnlessTheUserChose) {
    EXPECT_EQ(windowplatform({"", ":0", "wayland-0", "wayland"}), "xcb;wayland");
    EXPECT_EQ(windowplatform({"", ":1", "", "wayland"}), "xcb");
    EXPECT_EQ(windowplatform({"wayland", ":0", "wayland-0", "wayland"}), "")
        << "the user's choice stands";
    EXPECT_EQ(windowplatform({"", "", "wayland-0", "wayland"}), "") << "no X11 to go to";
    EXPECT_EQ(windowplatform({"", ":0", "", "x11"}), "") << "X11 already";
}
