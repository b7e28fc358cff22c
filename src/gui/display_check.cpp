#include "gui/display_check.h"

#include <array>
#include <string_view>

namespace roamer::gui {
namespace {

// The plugin name: the first of a list of fallbacks ("xcb;wayland"), without its options
// ("xcb:nograb").
std::string PluginName(const std::string& platform) {
    const std::string first = platform.substr(0, platform.find(';'));
    return first.substr(0, first.find(':'));
}

// Qt's platforms that draw into memory or a framebuffer: no windows of their own for OpenGL.
constexpr std::array<std::string_view, 5> kWindowless = {"offscreen", "minimal", "vnc", "linuxfb",
                                                         "vkkhrdisplay"};

}  // namespace

std::string DisplayProblem(const DisplayPlace& place) {
    const std::string platform =
        PluginName(place.platformOption.empty() ? place.qtPlatform : place.platformOption);
    for (const std::string_view windowless : kWindowless) {
        if (platform == windowless)
            return "the platform '" + platform +
                   "' cannot show the player's 3D view; use xcb (X11) or wayland";
    }
    const bool x11 = platform.empty() || platform == "xcb";
    if (x11 && !place.displayOption && place.display.empty() &&
        (!platform.empty() || place.waylandDisplay.empty()))
        return "no display to show the player on (DISPLAY is not set); start it in a desktop "
               "session, or name an X display with -display";
    return {};
}

}  // namespace roamer::gui
