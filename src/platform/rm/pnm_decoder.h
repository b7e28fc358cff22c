#pragma once

#include <span>

#include "platform/rm/texture.h"

namespace roamer::rm {

// Binary PGM (P5) and PPM (P6) pictures, 8 or 16 bits a sample, read here: the header is a few
// numbers, and a file whose pixels stop before the size its header gives is refused.

bool ReadPnmSize(std::span<const unsigned char> bytes, int* width, int* height);

// Samples are scaled from the header's largest value to 255.
bool DecodePnm(std::span<const unsigned char> bytes, Image* image);

}  // namespace roamer::rm
