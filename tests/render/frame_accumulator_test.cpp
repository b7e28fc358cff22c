#include "render/frame_accumulator.h"

#include <gtest/gtest.h>

namespace roamer::render {
namespace {

constexpr PixelLayout k565{0xF800, 0x07E0, 0x001F, 2};
constexpr PixelLayout k888{0xFF0000, 0x00FF00, 0x0000FF, 4};

std::vector<std::uint8_t> Filled(int pixels, const PixelLayout& layout, std::uint32_t value) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(pixels * layout.bytesPerPixel));
    for (int i = 0; i < pixels; ++i)
        for (int b = 0; b < layout.bytesPerPixel; ++b)
            bytes[static_cast<std::size_t>(i * layout.bytesPerPixel + b)] =
                static_cast<std::uint8_t>(value >> (8 * b));
    return bytes;
}

std::uint32_t PixelAt(const std::vector<std::uint8_t>& bytes, int index, int size) {
    std::uint32_t v = 0;
    for (int b = 0; b < size; ++b)
        v |= std::uint32_t{bytes[static_cast<std::size_t>(index * size + b)]} << (8 * b);
    return v;
}

TEST(FrameAccumulator, JitterTables) {
    ASSERT_EQ(JitterTable(5).size(), 5u);
    EXPECT_EQ(JitterTable(5)[0].x, 0.5);  // the first pass is centred
    EXPECT_EQ(JitterTable(5)[0].y, 0.5);
    EXPECT_EQ(JitterTable(5)[4].x, 0.1);
    for (int n : {2, 3, 4, 6, 8, 9}) {
        ASSERT_EQ(JitterTable(n).size(), static_cast<std::size_t>(n));
        for (const JitterOffset& o : JitterTable(n)) {
            EXPECT_GE(o.x, 0.0);
            EXPECT_LT(o.x, 1.0);
        }
    }
    for (int n : {0, 1, 7, 10, -1}) EXPECT_TRUE(JitterTable(n).empty());
}

TEST(FrameAccumulator, FullWhiteDoesNotOverflowAtTheLimits) {
    // 16 passes of a 5-6-5 picture and 257 passes of an 8-bit picture fit their fields.
    struct Case {
        PixelLayout layout;
        std::uint32_t white;
        int passes;
    };
    for (const Case& c : {Case{k565, 0xFFFF, 16}, Case{k888, 0xFFFFFF, 257}}) {
        const auto pitch = static_cast<std::size_t>(3 * c.layout.bytesPerPixel);
        FrameAccumulator acc(3, 2, c.layout);
        ASSERT_TRUE(acc.IsUsable());
        const auto white = Filled(6, c.layout, c.white);
        for (int i = 0; i < c.passes; ++i) ASSERT_TRUE(acc.Accumulate(white.data(), pitch));
        auto out = Filled(6, c.layout, 0);
        ASSERT_TRUE(acc.Average(c.passes, out.data(), pitch));
        for (int i = 0; i < 6; ++i) EXPECT_EQ(PixelAt(out, i, c.layout.bytesPerPixel), c.white);
    }
}

TEST(FrameAccumulator, AveragesEachChannelRoundingDown) {
    FrameAccumulator acc(1, 1, k888);
    EXPECT_EQ(acc.RedBits() + acc.GreenBits() + acc.BlueBits(), 24);
    for (std::uint32_t p : {0x102030u, 0x204060u, 0x000001u}) {
        const auto px = Filled(1, k888, p);
        acc.Accumulate(px.data(), 4);
    }
    auto out = Filled(1, k888, 0);
    acc.Average(3, out.data(), 4);
    // Red 0x30 / 3, green 0x60 / 3, blue 0x91 / 3 rounded down.
    EXPECT_EQ(PixelAt(out, 0, 4), 0x102030u);

    FrameAccumulator narrow(1, 1, k565);
    const auto a = Filled(1, k565, (31u << 11) | (10u << 5) | 3u);
    const auto b = Filled(1, k565, (0u << 11) | (20u << 5) | 4u);
    narrow.Accumulate(a.data(), 2);
    narrow.Accumulate(b.data(), 2);
    auto half = Filled(1, k565, 0);
    narrow.Average(2, half.data(), 2);
    EXPECT_EQ(PixelAt(half, 0, 2), (15u << 11) | (15u << 5) | 3u);
}

TEST(FrameAccumulator, RefusesLayoutsItCannotHold) {
    EXPECT_FALSE(FrameAccumulator(1, 1, PixelLayout{0, 0, 0, 1}).IsUsable());         // palette
    EXPECT_FALSE(FrameAccumulator(1, 1, PixelLayout{0xFF, 0xFF00, 0xFF0000, 4}).IsUsable());
    EXPECT_FALSE(FrameAccumulator(1, 1, PixelLayout{0xFF0000, 0xFF00, 0xFF, 2}).IsUsable());
    EXPECT_TRUE(FrameAccumulator(1, 1, PixelLayout{0x7C00, 0x03E0, 0x001F, 2}).IsUsable());
    EXPECT_TRUE(FrameAccumulator(1, 1, PixelLayout{0xFF0000, 0xFF00, 0xFF, 3}).IsUsable());
    FrameAccumulator unusable(2, 2, PixelLayout{});
    std::uint8_t pixels[16] = {};
    EXPECT_FALSE(unusable.Accumulate(pixels, 8));
    EXPECT_FALSE(unusable.Average(5, pixels, 8));
}

}  // namespace
}  // namespace roamer::render
