#include "gui/display_check.h"

#include <array>
#include <string_view>

namespace roamer::gui {
namespace {

// Qt's platforms that draw into memory or a framebuffer: no windows of their own for OpenGL.
constexpr std::array<std::string_view, 5> kWindowless = {"offscreen", "minimal", "vnc", "linuxfb",
                                                         "vkkhrdisplay"};

// Why one platform entry ("xcb", "xcb:nograb") cannot show the player, or empty.
std::string EntryProblem(const std::string& entry, const DisplayPlace& place) {
    const std::string name = entry.substr(0, entry.find(':'));
    for (const std::string_view windowless : kWindowless) {
        if (name == windowless)
            return "the platform '" + name +
                   "' cannot show the player's 3D view; use xcb (X11) or wayland";
    }
    // Qt's own choice, without a name, is X11 unless a Wayland display is there.
    const bool x11 = name == "xcb" || (name.empty() && place.waylandDisplay.empty());
    if (x11 && !place.displayOption && place.display.empty())
        return "no display to show the player on (DISPLAY is not set); start it in a desktop "
               "session, or name an X display with -display";
    return {};
}

}  // namespace

std::string DisplayProblem(const DisplayPlace& place) {
    // Qt tries a list of fallbacks ("xcb;wayland") in turn: refused only when none would do.
    const std::string& platform =
        place.platformOption.empty() ? place.qtPlatform : place.platformOption;
    std::string first;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = platform.find(';', start);
        const std::string problem = EntryProblem(platform.substr(start, end - start), place);
        if (problem.empty()) return {};
        if (first.empty()) first = problem;
        if (end == std::string::npos) return first;
        start = end + 1;
    }
}

}  // namespace roamer::gui
