#pragma once

#include <span>

#include "platform/rm/texture.h"

namespace roamer::rm {

// PNG pictures are read by libpng, the format's reference library, through its simplified
// interface: every colour type and depth comes out as 8-bit RGBA, and damaged data is an error.

// The width and height the header gives, without inflating the pixels.
bool ReadPngSize(std::span<const unsigned char> bytes, int* width, int* height);

bool DecodePng(std::span<const unsigned char> bytes, Image* image);

}  // namespace roamer::rm
