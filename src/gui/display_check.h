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
// its offscreen and framebuffer platforms have no OpenGL windows for the 3D view.
std::string DisplayProblem(const DisplayPlace& place);

// Why the display gives no OpenGL context that the 3D view can draw with, or empty. Needs a
// QGuiApplication.
std::string OpenGLProblem();

}  // namespace roamer::gui
