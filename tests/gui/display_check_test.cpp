// Where the player can be shown is decided before Qt loads a platform, so that a missing display
// is told rather than aborted on, and a real desktop session is never refused.
#include <gtest/gtest.h>

#include "gui/display_check.h"

namespace roamer::gui {
namespace {

TEST(DisplayCheck, RefusesOnlyWhereNoWindowCanBeShown) {
    const auto refused = [](const DisplayPlace& place) { return !DisplayProblem(place).empty(); };
    // {-platform, -display given, QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY}
    EXPECT_FALSE(refused({"", false, "", ":0", ""}));
    EXPECT_FALSE(refused({"", false, "xcb", ":0", ""}));
    EXPECT_FALSE(refused({"", false, "", "", "wayland-0"}));       // a Wayland session
    EXPECT_FALSE(refused({"", false, "wayland", "", "wayland-0"}));
    EXPECT_FALSE(refused({"", true, "", "", ""}));                  // -display names one
    EXPECT_FALSE(refused({"xcb", true, "", "", ""}));
    EXPECT_FALSE(refused({"", false, "wayland;xcb", "", ""}));      // left to Qt to try
    EXPECT_FALSE(refused({"", false, "eglfs", "", ""}));

    EXPECT_TRUE(refused({"", false, "", "", ""}));
    EXPECT_TRUE(refused({"", false, "xcb", "", "wayland-0"}));      // X asked for, none there
    EXPECT_TRUE(refused({"", false, "xcb;offscreen", "", ""}));     // no fallback would do
    EXPECT_TRUE(refused({"xcb:nograb", false, "", "", ""}));
    EXPECT_FALSE(refused({"", false, "xcb;wayland", "", "wayland-0"}));  // the second can
    EXPECT_FALSE(refused({"", false, "offscreen;xcb", ":0", ""}));
    EXPECT_TRUE(refused({"offscreen", false, "", ":0", ""}));
    EXPECT_TRUE(refused({"", false, "offscreen:fontengine=freetype", ":0", ""}));
    EXPECT_TRUE(refused({"", false, "vnc", ":0", ""}));
    // -platform comes before the environment.
    EXPECT_FALSE(refused({"xcb", false, "offscreen", ":0", ""}));
    EXPECT_TRUE(refused({"linuxfb", false, "xcb", ":0", ""}));
}

}  // namespace
}  // namespace roamer::gui
