#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace roamer::samples {

// A furniture model made of boxes, each in one material, written as a text .x mesh. Sizes are
// scene units (centimetres); the model stands on y = 0 around its own origin.
class BoxModel {
public:
    // A material: colour 0xRRGGBB, optional texture file beside the model.
    int Material(std::uint32_t colour, std::string texture = {});
    // An axis-aligned box from (x0, y0, z0) to (x1, y1, z1).
    void Box(int material, float x0, float y0, float z0, float x1, float y1, float z1);
    bool Write(const std::string& path) const;

private:
    struct Quad {
        float v[4][3];
        float uv[4][2];
        int material;
    };
    struct Mat {
        std::uint32_t colour;
        std::string texture;
    };
    std::vector<Quad> m_quads;
    std::vector<Mat> m_materials;
};

BoxModel Sofa(std::uint32_t fabric, const std::string& texture);
BoxModel CoffeeTable();
BoxModel DiningTable();
BoxModel Chair(std::uint32_t seat);
BoxModel Bed(const std::string& coverTexture);
BoxModel Cupboard();
BoxModel FloorLamp();
BoxModel Bookshelf();
BoxModel Nightstand();
BoxModel TvCabinet();

}  // namespace roamer::samples
