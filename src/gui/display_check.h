#pragma once

#include <string>

namespace roamer::gui {

// Where the player would be shown, as far as it is known before Qt loads its platform plugin.
struct DisplayPlace {
    std::string platformOption;  // -platform's value, or empty
    bool displayOption = false;  // -display was given
    std::string qtPlatform;      // QT_QPA_PLATFORM
    std::string display;         // DISPLAY
    std::string waylandDisplay;  // WAYLAND_DISPLAY
};

// Why the player cannot be shown there, or empty. Qt itself would abort without a display, and
// its offscreen and framebuffer platforms have no OpenGL windows for the 3D view. (A display
// without OpenGL 3.3 is told in the player's own message box, which a user who started it
// from the menu sees.)
std::string DisplayProblem(const DisplayPlace& place);

}  // namespace roamer::gui
