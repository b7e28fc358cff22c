#pragma once

#include <iosfwd>

#include "roamer-render/render_command.h"

namespace roamer::tools {

// Makes the walk video of a design or a play list. 0 when the whole walk was written, 1 on
// failure, 130 when Ctrl+C stopped it.
int RunVideo(const RenderOptions& options, std::ostream& err);

}  // namespace roamer::tools
