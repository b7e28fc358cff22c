#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "platform/rm/jpeg_decoder.h"

namespace roamer::rm {
namespace {

using Bytes = std::vector<unsigned char>;

struct Encoding {
    int components = 3;
    J_COLOR_SPACE space = JCS_RGB;
    bool progressive = false;
    std::vector<jpeg_scan_info> scans;  // a scan script of our own, when not empty
};

// A width x height picture of `pixel` (components bytes) everywhere, encoded at quality 95.
Bytes Encode(const Encoding& how, int width, int height, const Bytes& pixel) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = how.components;
    info.in_color_space = how.space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (how.progressive) jpeg_simple_progression(&info);
    if (!how.scans.empty()) {
        info.scan_info = how.scans.data();
        info.num_scans = static_cast<int>(how.scans.size());
    }
    jpeg_start_compress(&info, TRUE);
    Bytes row;
    for (int x = 0; x < width; ++x) row.insert(row.end(), pixel.begin(), pixel.end());
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes bytes(out, out + size);
    std::free(out);
    return bytes;
}

// A grey picture in `count` scans: the DC in two, each AC coefficient in its own first scan,
// then refinement scans for as many coefficients as are left to reach the count.
Bytes GreyInScans(int count) {
    Encoding how{1, JCS_GRAYSCALE, false, {}};
    how.scans.push_back({1, {0}, 0, 0, 0, 1});
    how.scans.push_back({1, {0}, 0, 0, 1, 0});
    for (int k = 1; k <= 63; ++k) how.scans.push_back({1, {0}, k, k, 0, 1});
    for (int k = 1; static_cast<int>(how.scans.size()) < count; ++k)
        how.scans.push_back({1, {0}, k, k, 1, 0});
    return Encode(how, 16, 16, {90});
}

void ExpectEverywhere(const Image& image, int r, int g, int b) {
    ASSERT_EQ(image.rgba.size(), std::size_t(image.width) * std::size_t(image.height) * 4u);
    for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
        EXPECT_NEAR(image.rgba[i], r, 3) << i;
        EXPECT_NEAR(image.rgba[i + 1], g, 3) << i;
        EXPECT_NEAR(image.rgba[i + 2], b, 3) << i;
        EXPECT_EQ(image.rgba[i + 3], 0xFF) << i;
    }
}

TEST(JpegDecoder, ColourGreyProgressiveAndInkPicturesComeOutAsRgba) {
    Image image;
    ASSERT_TRUE(DecodeJpeg(Encode({}, 24, 10, {200, 100, 50}), &image));
    EXPECT_EQ(image.width, 24);
    EXPECT_EQ(image.height, 10);
    ExpectEverywhere(image, 200, 100, 50);

    ASSERT_TRUE(DecodeJpeg(Encode({1, JCS_GRAYSCALE, true, {}}, 9, 17, {77}), &image));
    EXPECT_EQ(image.width, 9);
    EXPECT_EQ(image.height, 17);
    ExpectEverywhere(image, 77, 77, 77);

    // Ink is written with an Adobe marker and, as Adobe's programs store it, inverted: 255 is
    // no ink, so no black and 200, 100, 50 of the other inks leave that much light.
    ASSERT_TRUE(DecodeJpeg(Encode({4, JCS_CMYK, false, {}}, 8, 8, {200, 100, 50, 255}), &image));
    ExpectEverywhere(image, 200, 100, 50);
    ASSERT_TRUE(DecodeJpeg(Encode({4, JCS_CMYK, false, {}}, 8, 8, {200, 100, 50, 128}), &image));
    ExpectEverywhere(image, 100, 50, 25);
}

TEST(JpegDecoder, SizeComesFromTheHeaderAlone) {
    Bytes bytes = Encode({}, 31, 7, {1, 2, 3});
    // Cut right after the scan header: no coded data at all.
    std::size_t scan = 0;
    while (scan + 1 < bytes.size() && !(bytes[scan] == 0xFF && bytes[scan + 1] == 0xDA)) ++scan;
    ASSERT_LT(scan + 14, bytes.size());
    bytes.resize(scan + 14);
    int width = 0;
    int height = 0;
    ASSERT_TRUE(ReadJpegSize(bytes, &width, &height));
    EXPECT_EQ(width, 31);
    EXPECT_EQ(height, 7);
    EXPECT_FALSE(ReadJpegSize(Bytes{0xFF, 0xD8, 0xFF}, &width, &height));
    EXPECT_FALSE(ReadJpegSize(Bytes{}, &width, &height));
}

TEST(JpegDecoder, AFileWithMoreScansThanTheLimitIsRefused) {
    Image image;
    EXPECT_TRUE(DecodeJpeg(GreyInScans(kMaxJpegScans), &image));
    ExpectEverywhere(image, 90, 90, 90);
    Image refused;
    EXPECT_FALSE(DecodeJpeg(GreyInScans(kMaxJpegScans + 1), &refused));
    EXPECT_TRUE(refused.rgba.empty());
}

// Found by fuzzing: a Huffman table that declares more than 256 codes.
TEST(JpegDecoder, OverfullHuffmanTableIsABadFile) {
    const char* root = std::getenv("ROAMER_TEST_DATA");
    const std::string path = std::string(root ? root : "tests/data") +
                             "/fuzz/picture/jpeg_huffman_table_over_256_codes.jpg";
    std::shared_ptr<Texture> texture;
    EXPECT_EQ(Texture::Load(path, &texture), D3DRMERR_BADFILE);
    EXPECT_EQ(texture, nullptr);
}

}  // namespace
}  // namespace roamer::rm
