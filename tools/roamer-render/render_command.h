#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "app/design_view.h"

namespace roamer::tools {

struct RenderOptions {
    int width = 640;
    int height = 480;
    std::optional<app::ViewerState> view;  // the design's opening view when absent
    bool smooth = false;
    std::string out;        // empty: the design's path with the extension .png
    std::string exportObj;  // the scene as an OBJ file instead of a picture
    std::string pathDir;    // every step of the browse path instead of one picture
    int speed = 1;          // 0..3, as the options dialog (the player starts at 快)
    int pause = 1;          // 0..2 (the player starts at 適中)
    std::string design;
};

// Reads the command line (without the program name). Returns the reason it cannot be used, or
// an empty string.
std::string ParseRenderArguments(const std::vector<std::string>& args, RenderOptions& options);

// Loads the design as the player does and renders, exports or replays it. Messages and the
// reason of a failure go to `err`. 0 on success.
int RunRender(const RenderOptions& options, std::ostream& err);

extern const char* const kRenderUsage;

}  // namespace roamer::tools
