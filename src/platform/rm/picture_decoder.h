#pragma once

#include <span>

#include "platform/rm/texture.h"

namespace roamer::rm {

// Each format IdentifyPicture knows goes to its own decoder: JPEG to libjpeg-turbo, PNG to
// libpng, binary PPM and PGM to our own reader, BMP and TGA to the image library, compiled here
// with those two decoders and no others. Whatever a file holds, no other decoder runs on it.

// The width and height the picture's header gives, without decoding its pixels.
bool ReadPictureSize(std::span<const unsigned char> bytes, int* width, int* height);

// Decodes the pixels as 8-bit RGBA, rows from the top; false for a file that cannot be decoded.
bool DecodePicture(std::span<const unsigned char> bytes, Image* image);

}  // namespace roamer::rm
