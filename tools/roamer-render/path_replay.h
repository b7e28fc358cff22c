#pragma once

#include <iosfwd>
#include <string>

#include "app/player_app.h"
#include "roamer-render/render_command.h"
#include "roamer-render/render_host.h"

namespace roamer::tools {

// Writes the picture now shown as a PNG file; the reason of a failure goes to `err`.
bool SavePicture(app::PlayerApp& app, const std::string& path, std::ostream& err);

// Replays the browse path of the loaded design as a pass plays it, into one PNG per command and
// frames.txt: the start view, then each command with how long it is held and where the viewer
// is after it. 0 on success.
int ReplayPath(app::PlayerApp& app, RenderHost& host, const RenderOptions& options,
               std::ostream& err);

}  // namespace roamer::tools
