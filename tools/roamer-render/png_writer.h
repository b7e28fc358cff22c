#pragma once

#include <string>

#include "platform/rm/device.h"

namespace roamer::tools {

// Writes the picture as an opaque RGB PNG. The file appears complete or not at all: it is
// written beside the target and renamed. False when it cannot be written.
bool WritePng(const rm::Picture& picture, const std::string& path);

}  // namespace roamer::tools
