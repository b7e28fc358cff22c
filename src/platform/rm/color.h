#pragma once

#include <cstdint>

namespace roamer::rm {

// 32-bit ARGB: alpha in the top byte, then red, green, blue.
using Color = std::uint32_t;

inline constexpr Color kWhite = 0xFFFFFFFFu;

// Channels from 0..1 are multiplied by 255 and truncated (0.5 gives 0x7F); values outside 0..1
// are clamped first.
Color CreateColorRGBA(float red, float green, float blue, float alpha);
Color CreateColorRGB(float red, float green, float blue);

float ColorGetAlpha(Color color);
float ColorGetRed(Color color);
float ColorGetGreen(Color color);
float ColorGetBlue(Color color);

constexpr std::uint8_t AlphaByte(Color color) { return static_cast<std::uint8_t>(color >> 24); }
constexpr std::uint8_t RedByte(Color color) { return static_cast<std::uint8_t>(color >> 16); }
constexpr std::uint8_t GreenByte(Color color) { return static_cast<std::uint8_t>(color >> 8); }
constexpr std::uint8_t BlueByte(Color color) { return static_cast<std::uint8_t>(color); }
constexpr Color MakeColor(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return ((a & 0xFFu) << 24) | ((r & 0xFFu) << 16) | ((g & 0xFFu) << 8) | (b & 0xFFu);
}

}  // namespace roamer::rm
