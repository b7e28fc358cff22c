#include <gtest/gtest.h>

#include <string>

#include "platform/rm/picture_format.h"
#include "platform/rm/texture.h"
#include "support/temp_dir.h"

namespace roamer::rm {
namespace {

std::span<const unsigned char> Bytes(const std::string& text) {
    return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

// An uncompressed (type 2) or run-length (type 10) 24-bit TGA header, bottom row first.
std::string TgaHeader(int type, int width, int height) {
    std::string header(18, '\0');
    header[2] = static_cast<char>(type);
    header[12] = static_cast<char>(width & 0xFF);
    header[13] = static_cast<char>(width >> 8);
    header[14] = static_cast<char>(height & 0xFF);
    header[15] = static_cast<char>(height >> 8);
    header[16] = 24;
    return header;
}

TEST(PictureFormat, IsToldByContentAndOnlyListedFormatsAreKnown) {
    EXPECT_EQ(IdentifyPicture(Bytes(std::string("\x89PNG\r\n\x1A\n", 8))), PictureFormat::kPng);
    EXPECT_EQ(IdentifyPicture(Bytes("\xFF\xD8\xFF\xE0")), PictureFormat::kJpeg);
    EXPECT_EQ(IdentifyPicture(Bytes("P6\n2 2\n255\n")), PictureFormat::kPnm);
    EXPECT_EQ(IdentifyPicture(Bytes(TgaHeader(10, 4, 4))), PictureFormat::kTga);
    std::string bmp = "BM" + std::string(12, '\0') + std::string("\x28\0\0\0", 4);
    EXPECT_EQ(IdentifyPicture(Bytes(bmp)), PictureFormat::kBmp);
    // Formats the image library reads but we do not list, and TGA headers it would not read.
    for (const std::string& other :
         {std::string("#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n"), std::string("8BPS\0\1", 6),
          std::string("GIF89a\4\0\4\0"), std::string("S\x80\xF6\x34", 4), std::string("P3\n1 1\n"),
          TgaHeader(4, 4, 4), TgaHeader(2, 0, 4), std::string(40, '\0'), std::string("BM")}) {
        EXPECT_EQ(IdentifyPicture(Bytes(other)), PictureFormat::kUnknown) << other;
    }
}

TEST(PictureFormat, AHeaderMayNotClaimMorePixelsThanItsDataCanHold) {
    test::TempDir dir;
    std::shared_ptr<Texture> texture;
    // 64 x 64 pixels of 3 bytes need 12288 bytes after the header; half of them are refused.
    const std::string whole = TgaHeader(2, 64, 64) + std::string(64 * 64 * 3, '\x40');
    EXPECT_EQ(Texture::Load(dir.Write("whole.tga", whole), &texture), D3DRM_OK);
    EXPECT_EQ(Texture::Load(dir.Write("half.tga", whole.substr(0, 18 + 64 * 32 * 3)), &texture),
              D3DRMERR_BADFILE);
    // Run-length packets of 128 pixels take 4 bytes each.
    std::string runs = TgaHeader(10, 128, 64);
    for (int k = 0; k < 64; ++k) runs += std::string("\xFF\x10\x20\x30", 4);
    EXPECT_EQ(Texture::Load(dir.Write("runs.tga", runs), &texture), D3DRM_OK);
    EXPECT_EQ(texture->GetImage().PixelRGB(127, 63), 0x302010u);
    EXPECT_EQ(Texture::Load(dir.Write("more.tga", TgaHeader(10, 256, 64) + runs.substr(18)),
                            &texture),
              D3DRMERR_BADFILE);

    const std::string tiny = TgaHeader(2, 1, 1) + "abc";
    EXPECT_EQ(MostPixelsDescribed(PictureFormat::kTga, Bytes(tiny)), 7u);  // 21 bytes of 24 bits
    EXPECT_EQ(MostPixelsDescribed(PictureFormat::kPng, Bytes(std::string(100, 'x'))),
              100u * 8256u);
    // The bit depth of a BMP is read from the old 12-byte header or from the newer ones.
    std::string core = "BM" + std::string(12, '\0') + std::string("\x0C\0\0\0", 4) +
                       std::string(30, '\0');
    core[24] = 24;
    EXPECT_EQ(MostPixelsDescribed(PictureFormat::kBmp, Bytes(core)), 48u * 8u / 24u);
    std::string info = "BM" + std::string(12, '\0') + std::string("\x28\0\0\0", 4) +
                       std::string(30, '\0');
    info[28] = 8;
    EXPECT_EQ(MostPixelsDescribed(PictureFormat::kBmp, Bytes(info)), 48u);
    // However well a picture compresses, none holds more than 4096 x 4096 pixels.
    EXPECT_EQ(MostPixelsDescribed(PictureFormat::kPng, Bytes(std::string(100000, 'x'))),
              kMaxPicturePixels);
}

}  // namespace
}  // namespace roamer::rm
