#pragma once

#include <string>

#include "platform/rm/frame.h"

namespace roamer::tools {

// Writes every face of every mesh shown under `scene` to an OBJ file, placed in the scene and
// converted to the right-handed convention other programs expect (z turned around, which keeps
// the faces' front sides), with an MTL file beside it: one material per colour and texture, the
// textures written as PNG files next to it. Returns the reason of a failure, or empty.
std::string ExportObj(const rm::Frame& scene, const std::string& objPath);

}  // namespace roamer::tools
