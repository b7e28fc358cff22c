#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rm/pnm_decoder.h"

namespace roamer::rm {
namespace {

std::vector<unsigned char> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(PnmDecoder, SamplesAreScaledFromTheLargestValue) {
    Image image;
    // Grey at 4 bits, with a comment in the header.
    ASSERT_TRUE(DecodePnm(Bytes(std::string("P5 # made by hand\n2 1 15\n") + "\x0F\x05"), &image));
    ASSERT_EQ(image.rgba.size(), 8u);
    EXPECT_EQ(image.PixelRGB(0, 0), 0xFFFFFFu);
    EXPECT_EQ(image.PixelRGB(1, 0), 0x555555u);
    // Colour at 16 bits, most significant byte first; a sample above the largest is full.
    ASSERT_TRUE(DecodePnm(Bytes(std::string("P6\n1 2\n1000\n") +
                                std::string("\x03\xE8\x01\xF4\x00\x00", 6) +
                                std::string("\xFF\xFF\x00\x00\x00\x00", 6)),
                          &image));
    EXPECT_EQ(image.width, 1);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.PixelRGB(0, 0), 0xFF8000u);
    EXPECT_EQ(image.PixelRGB(0, 1), 0xFF0000u);
    EXPECT_EQ(image.rgba[7], 0xFF);
}

TEST(PnmDecoder, BrokenHeadersAndShortPixelsAreRefused) {
    Image image;
    int width = 0;
    int height = 0;
    for (const std::string& text :
         {std::string("P5\n2 2 255\n\x01\x02\x03", 13), std::string("P5\n2 2 0\n\x01\x02\x03\x04"),
          std::string("P5\n2 2 65536\n\x01\x02\x03\x04"), std::string("P6\n0 2 255\n"),
          std::string("P5\n2 x 255\n"), std::string("P5\n2 2 255")}) {
        EXPECT_FALSE(DecodePnm(Bytes(text), &image)) << text;
    }
    EXPECT_TRUE(image.rgba.empty());
    ASSERT_TRUE(ReadPnmSize(Bytes("P6 640 480 255 "), &width, &height));
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
}

}  // namespace
}  // namespace roamer::rm
