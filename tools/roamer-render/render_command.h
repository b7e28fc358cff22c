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
    bool sizeGiven = false;  // a video is 1280x720 unless --size says otherwise
    std::optional<app::ViewerState> view;  // the design's opening view when absent
    bool smooth = false;
    std::string out;        // empty: the design's path with the extension .png
    std::string exportObj;  // the scene as an OBJ file instead of a picture
    std::string pathDir;    // every step of the browse path instead of one picture
    std::string video;      // the walk as an MP4 video instead of a picture
    int speed = 1;          // 0..3, as the options dialog (the player starts at 快)
    int pause = 1;          // 0..2 (the player starts at 適中)
    int passes = 1;         // passes over each design's browse path in a video
    int fps = 30;
    bool smoothMotion = false;  // the video glides between the recorded steps
    bool collision = false;     // walls stop the replayed walk, as the player's option does
    std::string design;         // a design, or with --video also a play list (.vol)
    bool help = false;     // print the usage and stop
    bool version = false;  // print the version and stop
    bool progressBar = false;  // standard error is a terminal: a bar instead of lines
};

// Reads the command line (without the program name). Returns the reason it cannot be used, or
// an empty string; --help and --version only set their fields.
std::string ParseRenderArguments(const std::vector<std::string>& args, RenderOptions& options);
// The usage text of --help, and the line of --version.
std::string RenderHelp();
std::string RenderVersion();

// Loads the design as the player does and renders, exports or replays it. Messages and the
// reason of a failure go to `err`. 0 on success, 1 on failure, 130 when a video was stopped.
int RunRender(const RenderOptions& options, std::ostream& err);

}  // namespace roamer::tools
