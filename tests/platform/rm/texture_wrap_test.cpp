#include <gtest/gtest.h>

#include <cstring>

#include "platform/rm/texture.h"
#include "platform/rm/wrap.h"
#include "support/temp_dir.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

namespace roamer::rm {
namespace {

void PutLittle(std::string* bytes, std::uint32_t value, int size) {
    for (int k = 0; k < size; ++k) {
        bytes->push_back(static_cast<char>((value >> (8 * k)) & 0xFF));
    }
}

// A 2x2 8-bit palette BMP, stored bottom row first: top row red, blue; bottom row black, white.
std::string PaletteBmp() {
    std::string bytes = "BM";
    PutLittle(&bytes, 14 + 40 + 4 * 4 + 8, 4);
    PutLittle(&bytes, 0, 4);
    PutLittle(&bytes, 14 + 40 + 4 * 4, 4);
    PutLittle(&bytes, 40, 4);
    PutLittle(&bytes, 2, 4);
    PutLittle(&bytes, 2, 4);
    PutLittle(&bytes, 1, 2);
    PutLittle(&bytes, 8, 2);
    PutLittle(&bytes, 0, 4);
    PutLittle(&bytes, 8, 4);
    PutLittle(&bytes, 2835, 4);
    PutLittle(&bytes, 2835, 4);
    PutLittle(&bytes, 4, 4);
    PutLittle(&bytes, 0, 4);
    // Palette entries are blue, green, red, reserved.
    PutLittle(&bytes, 0x00000000, 4);  // 0 black
    PutLittle(&bytes, 0x00FF0000, 4);  // 1 red
    PutLittle(&bytes, 0x000000FF, 4);  // 2 blue
    PutLittle(&bytes, 0x00FFFFFF, 4);  // 3 white
    bytes += std::string("\x00\x03\x00\x00", 4);  // bottom row, padded to 4 bytes
    bytes += std::string("\x01\x02\x00\x00", 4);  // top row
    return bytes;
}

TEST(Texture, LoadsPalettePicturesTopRowFirst) {
    test::TempDir dir;
    std::shared_ptr<Texture> texture;
    ASSERT_EQ(Texture::Load(dir.Write("p.bmp", PaletteBmp()), &texture), D3DRM_OK);
    const Image& image = texture->GetImage();
    ASSERT_EQ(image.width, 2);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(image.PixelRGB(0, 0), 0xFF0000u);
    EXPECT_EQ(image.PixelRGB(1, 0), 0x0000FFu);
    EXPECT_EQ(image.PixelRGB(0, 1), 0x000000u);
    EXPECT_EQ(image.PixelRGB(1, 1), 0xFFFFFFu);

    // Decal transparency keys out black unless another colour is set.
    EXPECT_FALSE(texture->IsKeyedOut(0, 1));
    texture->SetDecalTransparency(true);
    EXPECT_TRUE(texture->IsKeyedOut(0, 1));
    texture->SetDecalTransparentColor(0xFFFF0000u);
    EXPECT_TRUE(texture->IsKeyedOut(0, 0));
    EXPECT_FALSE(texture->IsKeyedOut(0, 1));
}

TEST(Texture, LoadsBinaryPpmAndReportsMissingAndBrokenFiles) {
    test::TempDir dir;
    std::shared_ptr<Texture> texture;
    ASSERT_EQ(Texture::Load(dir.Write("a.ppm", std::string("P6\n2 1\n255\n\x10\x20\x30\xff\x00\x00", 17)),
                            &texture),
              D3DRM_OK);
    EXPECT_EQ(texture->GetImage().PixelRGB(0, 0), 0x102030u);
    EXPECT_EQ(Texture::Load(dir.File("missing.bmp"), &texture), D3DRMERR_FILENOTFOUND);
    EXPECT_EQ(texture, nullptr);
    EXPECT_EQ(Texture::Load(dir.Write("bad.bmp", "BM not really a picture"), &texture),
              D3DRMERR_BADFILE);
    EXPECT_EQ(Texture::Load(dir.Path(), &texture), D3DRMERR_FILENOTFOUND);
    // A header that claims a giant picture is refused before anything is allocated.
    std::string huge = PaletteBmp();
    huge[18] = '\xff';
    huge[19] = '\xff';
    huge[20] = '\xff';
    huge[21] = '\x0f';
    EXPECT_EQ(Texture::Load(dir.Write("huge.bmp", huge), &texture), D3DRMERR_BADFILE);
}

TEST(Texture, SixteenBitGreyPicturesLoadWithoutReadingPastThePixels) {
    test::TempDir dir;
    std::shared_ptr<Texture> texture;
    ASSERT_EQ(Texture::Load(dir.Write("a.pgm", std::string("P5\n2 1\n65535\n\x12\x12\xab\xab", 18)),
                            &texture),
              D3DRM_OK);
    EXPECT_EQ(texture->GetImage().PixelRGB(0, 0), 0x121212u);
    EXPECT_EQ(texture->GetImage().PixelRGB(1, 0), 0xABABABu);
    EXPECT_EQ(texture->GetImage().rgba[3], 0xFF);
    // A large one whose pixels are missing: the library's widening used to run off its buffer,
    // and the pixels it did not find would be whatever its memory held.
    EXPECT_EQ(Texture::Load(dir.Write("b.pgm", "P5\n4096 4096\n65535\n\x01\x02"), &texture),
              D3DRMERR_BADFILE);
    EXPECT_EQ(Texture::Load(dir.Write("c.ppm", std::string("P6 # two\n2 1 255\n\x10\x20\x30", 20)),
                            &texture),
              D3DRMERR_BADFILE);
}

// PNG, TGA and JPEG pictures load with their top row first and keep PNG alpha. The 8x8 picture
// is red on the left half of its top rows, blue elsewhere, so a flip or a mirror shows.
TEST(Texture, LoadsPngTgaAndJpegUpright) {
    test::TempDir dir;
    std::vector<std::uint8_t> rgba(8 * 8 * 4);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            std::uint8_t* p = &rgba[static_cast<std::size_t>(y * 8 + x) * 4];
            const bool red = x < 4 && y < 4;
            p[0] = red ? 255 : 0;
            p[2] = red ? 0 : 255;
            p[3] = x == 7 && y == 7 ? 0 : 255;
        }
    }
    auto write = [&](const char* name, int (*writer)(const char*, int, int, int, const void*)) {
        const std::string path = dir.File(name);
        EXPECT_NE(writer(path.c_str(), 8, 8, 4, rgba.data()), 0);
        return path;
    };
    const std::string png = dir.File("p.png");
    ASSERT_NE(stbi_write_png(png.c_str(), 8, 8, 4, rgba.data(), 8 * 4), 0);
    const std::string tga = write("p.tga", stbi_write_tga);
    const std::string jpg = dir.File("p.jpg");
    ASSERT_NE(stbi_write_jpg(jpg.c_str(), 8, 8, 4, rgba.data(), 100), 0);
    for (const std::string& path : {png, tga, jpg}) {
        SCOPED_TRACE(path);
        std::shared_ptr<Texture> texture;
        ASSERT_EQ(Texture::Load(path, &texture), D3DRM_OK);
        const Image& image = texture->GetImage();
        ASSERT_EQ(image.width, 8);
        ASSERT_EQ(image.height, 8);
        const std::uint32_t topLeft = image.PixelRGB(1, 1);
        const std::uint32_t bottomRight = image.PixelRGB(6, 6);
        EXPECT_GT((topLeft >> 16) & 0xFF, 200u);
        EXPECT_LT(topLeft & 0xFF, 60u);
        EXPECT_GT(bottomRight & 0xFF, 200u);
        EXPECT_LT((bottomRight >> 16) & 0xFF, 60u);
    }
    std::shared_ptr<Texture> texture;
    ASSERT_EQ(Texture::Load(png, &texture), D3DRM_OK);
    EXPECT_EQ(texture->GetImage().rgba[(7 * 8 + 7) * 4 + 3], 0);
    EXPECT_EQ(texture->GetImage().rgba[3], 255);
}

TEST(Wrap, FlatWrapSubtractsOffsetsAndUsesItsAxes) {
    std::unique_ptr<Wrap> wrap;
    // Direction -z, up +y: X = Y × Z = (0,1,0) × (0,0,-1) = (-1, 0, 0).
    ASSERT_EQ(Wrap::Create(D3DRMWRAP_FLAT, {0, 0, 0}, {0, 0, -1}, {0, 1, 0}, 0.5f, 0.0f, 1.0f,
                           2.0f, &wrap),
              D3DRM_OK);
    float u = 0;
    float v = 0;
    wrap->Map({0, 0, 0}, &u, &v);
    EXPECT_FLOAT_EQ(u, -0.5f);
    wrap->Map({-1, 0.25f, 3}, &u, &v);
    EXPECT_FLOAT_EQ(u, 0.5f);
    EXPECT_FLOAT_EQ(v, 0.5f);

    Face face;
    face.AddVertex(-2, 1, 0);
    face.AddVertex(0, 0, 0);
    face.AddVertex(0, 1, 0);
    ASSERT_EQ(wrap->Apply(face), D3DRM_OK);
    face.GetTextureCoordinates(0, &u, &v);
    EXPECT_FLOAT_EQ(u, 1.5f);
    EXPECT_FLOAT_EQ(v, 2.0f);
    EXPECT_EQ(Wrap::Create(D3DRMWRAP_CYLINDER, {}, {0, 0, 1}, {0, 1, 0}, 0, 0, 1, 1, &wrap),
              D3DRMERR_BADVALUE);
    EXPECT_EQ(Wrap::Create(D3DRMWRAP_FLAT, {}, {0, 0, 1}, {0, 0, 2}, 0, 0, 1, 1, &wrap),
              D3DRMERR_BADVALUE);
    EXPECT_EQ(Wrap::Create(D3DRMWRAP_FLAT, {}, {1, 2, 3}, {-1, -2, -3}, 0, 0, 1, 1, &wrap),
              D3DRMERR_BADVALUE);
}

}  // namespace
}  // namespace roamer::rm
