#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace roamer::samples {

// A picture the generator draws: 8-bit RGB, rows from the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    void Set(int x, int y, std::uint32_t colour);  // 0xRRGGBB
    std::uint32_t Get(int x, int y) const;
};

// The textures of the sample rooms, each tiling seamlessly.
Picture OakPlanks();       // polished wooden floor boards
Picture FloorTiles();      // light stone tiles with grout
Picture Carpet();          // soft woollen carpet
Picture Wallpaper();       // cream paper with faint stripes
Picture Plaster(std::uint32_t colour);  // painted plaster with a little grain
Picture CeilingBoard();    // white ceiling panels
Picture Fabric(std::uint32_t colour);  // woven upholstery
// A potted plant on black (black is see-through in a plant picture): 128 x 256.
Picture PottedPlant(int seed);

// Writes a PNG; false when it cannot.
bool SavePng(const Picture& picture, const std::string& path);

}  // namespace roamer::samples
