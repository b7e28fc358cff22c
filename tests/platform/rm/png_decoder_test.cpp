#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <png.h>

#include "platform/rm/png_decoder.h"

namespace roamer::rm {
namespace {

using Bytes = std::vector<unsigned char>;

// A 5 x 3 picture in libpng's own writer, as 8-bit grey, or as a palette with transparency.
Bytes Written(std::uint32_t format, const std::vector<std::uint8_t>& pixels,
              const std::vector<std::uint8_t>& palette = {}) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = 5;
    image.height = 3;
    image.format = format;
    image.colormap_entries = static_cast<png_uint_32>(palette.size() / 4);
    png_alloc_size_t size = 0;
    const void* map = palette.empty() ? nullptr : palette.data();
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, map)) return {};
    Bytes bytes(size);
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), 0, map))
        return {};
    bytes.resize(size);
    return bytes;
}

TEST(PngDecoder, GreyAndPalettePicturesComeOutAsRgba) {
    std::vector<std::uint8_t> grey(15);
    for (std::size_t i = 0; i < grey.size(); ++i) grey[i] = static_cast<std::uint8_t>(i * 17);
    const Bytes greyFile = Written(PNG_FORMAT_GRAY, grey);
    int width = 0;
    int height = 0;
    ASSERT_TRUE(ReadPngSize(greyFile, &width, &height));
    EXPECT_EQ(width, 5);
    EXPECT_EQ(height, 3);
    Image image;
    ASSERT_TRUE(DecodePng(greyFile, &image));
    ASSERT_EQ(image.rgba.size(), 60u);
    EXPECT_EQ(image.rgba[4 * 7 + 0], 7 * 17);
    EXPECT_EQ(image.rgba[4 * 7 + 2], 7 * 17);
    EXPECT_EQ(image.rgba[4 * 7 + 3], 0xFF);

    // Entry 1 is a see-through red; the bottom row uses it.
    const std::vector<std::uint8_t> palette = {0, 0, 255, 255, 255, 0, 0, 0};
    std::vector<std::uint8_t> indices(15, 0);
    for (std::size_t x = 10; x < 15; ++x) indices[x] = 1;
    ASSERT_TRUE(DecodePng(Written(PNG_FORMAT_RGBA_COLORMAP, indices, palette), &image));
    EXPECT_EQ(image.PixelRGB(0, 0), 0x0000FFu);
    EXPECT_EQ(image.rgba[4 * 0 + 3], 0xFF);
    EXPECT_EQ(image.rgba[4 * 12 + 0], 0xFF);
    EXPECT_EQ(image.rgba[4 * 12 + 3], 0);
}

TEST(PngDecoder, DamagedPixelDataIsRefused) {
    std::vector<std::uint8_t> grey(15, 100);
    Bytes file = Written(PNG_FORMAT_GRAY, grey);
    ASSERT_FALSE(file.empty());
    file.resize(file.size() - 20);  // into the pixel data
    Image image;
    EXPECT_FALSE(DecodePng(file, &image));
    EXPECT_TRUE(image.rgba.empty());
    int width = 0;
    int height = 0;
    EXPECT_FALSE(ReadPngSize(Bytes{0x89, 'P', 'N', 'G'}, &width, &height));
}

}  // namespace
}  // namespace roamer::rm
