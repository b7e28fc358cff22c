#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/rm/jpeg_check.h"
#include "platform/rm/texture.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

namespace roamer::rm {
namespace {

using Bytes = std::vector<unsigned char>;

// A start of image, then a DHT segment with one table per entry of `counts` (each entry the
// number of codes, all of length 1 for simplicity of the test's arithmetic).
Bytes WithTables(const std::vector<int>& counts, const Bytes& before = {}) {
    std::size_t length = 2;
    for (int c : counts) length += 17 + static_cast<std::size_t>(c);
    Bytes bytes;
    bytes.reserve(8 + before.size() + length);
    bytes.push_back(0xFF);
    bytes.push_back(0xD8);
    for (unsigned char b : before) bytes.push_back(b);
    bytes.push_back(0xFF);
    bytes.push_back(0xC4);
    bytes.push_back(static_cast<unsigned char>(length >> 8));
    bytes.push_back(static_cast<unsigned char>(length & 0xFF));
    for (int c : counts) {
        bytes.push_back(0x10);
        // Up to 255 codes of length 1, the rest of length 2.
        bytes.push_back(static_cast<unsigned char>(c > 255 ? 255 : c));
        bytes.push_back(static_cast<unsigned char>(c > 255 ? c - 255 : 0));
        bytes.insert(bytes.end(), 14, 0);
        bytes.insert(bytes.end(), static_cast<std::size_t>(c), 0x01);
    }
    bytes.push_back(0xFF);
    bytes.push_back(0xD9);
    return bytes;
}

TEST(JpegCheck, TablesOfUpTo256CodesFit) {
    EXPECT_TRUE(JpegHuffmanTablesFit(WithTables({12, 162})));
    EXPECT_TRUE(JpegHuffmanTablesFit(WithTables({256})));
    EXPECT_FALSE(JpegHuffmanTablesFit(WithTables({257})));
    EXPECT_FALSE(JpegHuffmanTablesFit(WithTables({12, 300})));
}

TEST(JpegCheck, TablesAreFoundPastPaddingAndOtherSegments) {
    // An application segment, padding and fill bytes before the tables.
    const Bytes before = {0xFF, 0xE0, 0x00, 0x04, 0xFF, 0xC4, 0x12, 0x34, 0xFF, 0xFF};
    EXPECT_FALSE(JpegHuffmanTablesFit(WithTables({400}, before)));
    EXPECT_TRUE(JpegHuffmanTablesFit(WithTables({40}, before)));
    // What is not a JPEG is not this check's business.
    EXPECT_TRUE(JpegHuffmanTablesFit(Bytes{'B', 'M', 0xFF, 0xC4, 0xFF, 0xFF}));
    EXPECT_TRUE(JpegHuffmanTablesFit(Bytes{}));
}

void AppendBytes(void* context, void* data, int size) {
    auto* out = static_cast<Bytes*>(context);
    const auto* from = static_cast<const unsigned char*>(data);
    out->insert(out->end(), from, from + size);
}

TEST(JpegCheck, RealJpegPasses) {
    std::vector<unsigned char> pixels(16 * 8 * 3);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i * 7);
    Bytes jpeg;
    ASSERT_NE(stbi_write_jpg_to_func(AppendBytes, &jpeg, 16, 8, 3, pixels.data(), 90), 0);
    EXPECT_TRUE(JpegHuffmanTablesFit(jpeg));
}

// Found by fuzzing: a JPEG whose second Huffman table declares more codes than fit.
TEST(JpegCheck, OverfullTableIsRefusedAsABadFile) {
    const char* root = std::getenv("ROAMER_TEST_DATA");
    const std::string path = std::string(root ? root : "tests/data") +
                             "/fuzz/picture/jpeg_huffman_table_over_256_codes.jpg";
    std::shared_ptr<Texture> texture;
    EXPECT_EQ(Texture::Load(path, &texture), D3DRMERR_BADFILE);
    EXPECT_EQ(texture, nullptr);
}

}  // namespace
}  // namespace roamer::rm
