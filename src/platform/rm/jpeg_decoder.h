#pragma once

#include <span>

#include "platform/rm/texture.h"

namespace roamer::rm {

// JPEG pictures are read by libjpeg-turbo, whose decoder is made to survive damaged data. A
// progressive file is limited to kMaxJpegScans scans, so that a small file cannot keep the
// decoder busy for minutes, and the library's own buffers to kMaxJpegLibraryMemory.
inline constexpr int kMaxJpegScans = 100;
inline constexpr long kMaxJpegLibraryMemory = 256L * 1024L * 1024L;

// The width and height the frame header gives, without decoding the scans.
bool ReadJpegSize(std::span<const unsigned char> bytes, int* width, int* height);

// Decodes grey, YCbCr, RGB, CMYK and YCCK pictures as 8-bit RGBA, rows from the top.
bool DecodeJpeg(std::span<const unsigned char> bytes, Image* image);

}  // namespace roamer::rm
