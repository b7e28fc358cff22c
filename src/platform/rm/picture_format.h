#pragma once

#include <cstdint>
#include <span>

namespace roamer::rm {

// The picture formats textures may come in, told apart by their content, never by their name.
enum class PictureFormat { kUnknown, kBmp, kPng, kJpeg, kTga, kPnm };

// The format whose signature (or, for TGA, whose header layout) the bytes carry; kUnknown for
// anything else, so that no other decoder ever sees the bytes.
PictureFormat IdentifyPicture(std::span<const unsigned char> bytes);

// No picture holds more pixels than this, whatever its file says.
inline constexpr std::uint64_t kMaxPicturePixels = 16u * 1024u * 1024u;  // 4096 x 4096

// The most pixels a file of this format and size can describe: its pixel data at the densest
// coding the format allows (for PNG and JPEG the densest compression), capped by
// kMaxPicturePixels. A header claiming more is a broken or hostile file.
std::uint64_t MostPixelsDescribed(PictureFormat format, std::span<const unsigned char> bytes);

}  // namespace roamer::rm
