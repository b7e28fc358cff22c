#include <gtest/gtest.h>

#include "platform/gl/hole_colours.h"

namespace roamer::gl {
namespace {

// A 7x3 picture: a red column at x = 0, a blue one at x = 4, keyed black elsewhere. Every
// hole takes the colour of the nearest drawn column, however far in it lies, so that filtered
// and mipmapped samples near the edge never mix in black.
TEST(HoleColours, HolesTakeTheNearestDrawnColourAndKeepTheirAlpha) {
    const int width = 7;
    const int height = 3;
    std::vector<std::uint8_t> texels(static_cast<std::size_t>(width * height) * 4, 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* red = &texels[static_cast<std::size_t>(y * width) * 4];
        red[0] = 255;
        red[3] = 255;
        std::uint8_t* blue = &texels[static_cast<std::size_t>(y * width + 4) * 4];
        blue[2] = 255;
        blue[3] = 255;
    }
    ColourHolesFromNeighbours(width, height, texels);
    auto rgba = [&](int x) {
        const std::uint8_t* t = &texels[static_cast<std::size_t>(width + x) * 4];
        return std::vector<int>{t[0], t[1], t[2], t[3]};
    };
    EXPECT_EQ(rgba(1), (std::vector<int>{255, 0, 0, 0}));
    EXPECT_EQ(rgba(3), (std::vector<int>{0, 0, 255, 0}));
    // x = 2 lies two steps from red and two from blue, behind holes: the two mix.
    EXPECT_EQ(rgba(2), (std::vector<int>{127, 0, 127, 0}));
    // x = 5 lies beside blue, x = 6 beside red across the wrap.
    EXPECT_EQ(rgba(5), (std::vector<int>{0, 0, 255, 0}));
    EXPECT_EQ(rgba(6), (std::vector<int>{255, 0, 0, 0}));
    EXPECT_EQ(rgba(0), (std::vector<int>{255, 0, 0, 255}));

    // A picture with nothing drawn is left as it is.
    std::vector<std::uint8_t> empty(16, 0);
    ColourHolesFromNeighbours(2, 2, empty);
    EXPECT_EQ(empty, std::vector<std::uint8_t>(16, 0));
}

}  // namespace
}  // namespace roamer::gl
