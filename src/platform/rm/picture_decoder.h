#pragma once

#include <span>

#include "platform/rm/texture.h"

namespace roamer::rm {

// The image library, compiled here with the decoders of the formats IdentifyPicture knows and
// no others: whatever a file holds, no other decoder can run on it.

// The width and height the picture's header gives, without decoding its pixels.
bool ReadPictureSize(std::span<const unsigned char> bytes, int* width, int* height);

// Decodes the pixels as 8-bit RGBA, rows from the top; false for a file that cannot be decoded.
bool DecodePicture(std::span<const unsigned char> bytes, Image* image);

}  // namespace roamer::rm
