#pragma once

#include <cstdint>

namespace roamer::render {

// The message text for a status returned by the engine or by the 3D platform. The engine's own
// negative codes have no text of their own and read "Unrecognized error value.".
const char* ErrorText(std::int32_t status);

}  // namespace roamer::render
