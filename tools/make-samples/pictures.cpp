#include "make-samples/pictures.h"

#include <algorithm>
#include <cmath>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace roamer::samples {
namespace {

// A small deterministic noise, so that the samples are the same on every run.
std::uint32_t Hash(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

double Noise(int x, int y, std::uint32_t seed) {
    return static_cast<double>(Hash(static_cast<std::uint32_t>(x) * 73856093U ^
                                    static_cast<std::uint32_t>(y) * 19349663U ^ seed) &
                               0xFFFF) /
           65535.0;
}

std::uint32_t Shade(std::uint32_t colour, double factor) {
    const auto channel = [&](int shift) {
        const double v = static_cast<double>((colour >> shift) & 0xFF) * factor;
        return static_cast<std::uint32_t>(std::clamp(v, 0.0, 255.0));
    };
    return channel(16) << 16 | channel(8) << 8 | channel(0);
}

Picture Blank(int width, int height) {
    Picture p;
    p.width = width;
    p.height = height;
    p.rgb.assign(static_cast<std::size_t>(width * height * 3), 0);
    return p;
}

}  // namespace

void Picture::Set(int x, int y, std::uint32_t colour) {
    const auto at = static_cast<std::size_t>((y * width + x) * 3);
    rgb[at] = static_cast<std::uint8_t>(colour >> 16);
    rgb[at + 1] = static_cast<std::uint8_t>(colour >> 8);
    rgb[at + 2] = static_cast<std::uint8_t>(colour);
}

std::uint32_t Picture::Get(int x, int y) const {
    const auto at = static_cast<std::size_t>((y * width + x) * 3);
    return static_cast<std::uint32_t>(rgb[at]) << 16 | static_cast<std::uint32_t>(rgb[at + 1]) << 8 |
           rgb[at + 2];
}

Picture OakPlanks() {
    Picture p = Blank(256, 256);
    const int boardWidth = 32;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const int board = x / boardWidth;
            // Boards end at different places, as laid.
            const int offset = (board * 97) % p.height;
            const int along = (y + offset) % p.height;
            const double tone = 0.85 + 0.2 * Noise(board, 0, 7);
            const double grain = 0.9 + 0.1 * std::sin((x % boardWidth) * 0.9 + along * 0.05 +
                                                      3.0 * Noise(x / 3, along / 40, 11));
            double f = tone * grain * (0.95 + 0.05 * Noise(x, y, 3));
            if (x % boardWidth == 0 || along == 0) f *= 0.55;
            p.Set(x, y, Shade(0xB07A45, f));
        }
    }
    return p;
}

Picture FloorTiles() {
    Picture p = Blank(128, 128);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const bool grout = x % 64 < 2 || y % 64 < 2;
            const double f = 0.92 + 0.08 * Noise(x / 4, y / 4, 5) + 0.04 * Noise(x, y, 9);
            p.Set(x, y, grout ? 0x9A958C : Shade(0xE4DCCB, f));
        }
    return p;
}

Picture Carpet() {
    Picture p = Blank(128, 128);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const double f = 0.8 + 0.25 * Noise(x, y, 21) + 0.1 * Noise(x / 8, y / 8, 2);
            p.Set(x, y, Shade(0x7C8A9E, f));
        }
    return p;
}

Picture Wallpaper() {
    Picture p = Blank(128, 128);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const bool stripe = (x % 32) < 3 || (x % 32) == 16;
            const double f = (stripe ? 0.9 : 1.0) * (0.97 + 0.03 * Noise(x, y, 17));
            p.Set(x, y, Shade(0xEFE3C8, f));
        }
    return p;
}

Picture Plaster(std::uint32_t colour) {
    Picture p = Blank(64, 64);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            p.Set(x, y, Shade(colour, 0.95 + 0.05 * Noise(x, y, colour)));
    return p;
}

Picture CeilingBoard() {
    Picture p = Blank(64, 64);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const bool seam = x == 0 || y == 0;
            p.Set(x, y, seam ? 0xC8C8C4 : Shade(0xF4F4F0, 0.97 + 0.03 * Noise(x, y, 33)));
        }
    return p;
}

Picture Fabric(std::uint32_t colour) {
    Picture p = Blank(64, 64);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const double weave = ((x + y) % 4 < 2) ? 1.0 : 0.9;
            p.Set(x, y, Shade(colour, weave * (0.93 + 0.07 * Noise(x, y, 41))));
        }
    return p;
}

Picture PottedPlant(int seed) {
    Picture p = Blank(128, 256);
    const auto s = static_cast<std::uint32_t>(seed);
    // The pot: a terracotta trapezoid at the bottom.
    for (int y = 200; y < 256; ++y) {
        const int half = 22 + (y - 200) / -4 + 14;
        for (int x = 64 - half; x < 64 + half; ++x)
            p.Set(x, y, Shade(0xB5603A, y < 208 ? 0.75 : 0.95 + 0.05 * Noise(x, y, s)));
    }
    // Leaves: ellipses fanning out of the pot, darker inside.
    for (int leaf = 0; leaf < 26; ++leaf) {
        const double angle = -2.6 + 2.0 * 2.6 * Noise(leaf, 1, s) / 2.0 + 0.4 * Noise(leaf, 2, s);
        const double length = 60.0 + 70.0 * Noise(leaf, 3, s);
        const double cx = 64.0 + std::sin(angle) * length * 0.5;
        const double cy = 200.0 - std::cos(angle) * length * 0.5 - 10.0;
        const double width = 9.0 + 5.0 * Noise(leaf, 4, s);
        for (int y = 0; y < 205; ++y)
            for (int x = 1; x < 127; ++x) {
                const double dx = x - cx, dy = y - cy;
                const double along = dx * std::sin(angle) - dy * std::cos(angle);
                const double across = dx * std::cos(angle) + dy * std::sin(angle);
                const double e = (along * along) / (length * length * 0.25) +
                                 (across * across) / (width * width);
                if (e > 1.0) continue;
                const double f = 0.55 + 0.45 * (1.0 - e) * (0.8 + 0.2 * Noise(leaf, 5, s));
                p.Set(x, y, Shade(std::abs(across) < 0.8 ? 0x7FB060 : 0x3E8A3A, f));
            }
    }
    return p;
}

bool SavePng(const Picture& picture, const std::string& path) {
    return stbi_write_png(path.c_str(), picture.width, picture.height, 3, picture.rgb.data(),
                          picture.width * 3) != 0;
}

}  // namespace roamer::samples
