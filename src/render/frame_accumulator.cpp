#include "render/frame_accumulator.h"

#include <algorithm>
#include <array>

namespace roamer::render {
namespace {

// The contiguous one bits of a mask after its low zero bits.
int CountMaskBits(std::uint32_t mask) {
    if (mask == 0) return 0;
    while ((mask & 1u) == 0) mask >>= 1;
    int bits = 0;
    while (mask & 1u) {
        mask >>= 1;
        ++bits;
    }
    return bits;
}

std::uint32_t ReadPixel(const std::uint8_t* p, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= std::uint32_t{p[i]} << (8 * i);
    return value;
}

void WritePixel(std::uint8_t* p, int bytes, std::uint32_t value) {
    for (int i = 0; i < bytes; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

constexpr std::array<JitterOffset, 2> kJitter2{{{0.25, 0.75}, {0.75, 0.25}}};
constexpr std::array<JitterOffset, 3> kJitter3{
    {{0.5033922635, 0.8317967229}, {0.7806016275, 0.2504380877}, {0.2261828938, 0.4131553612}}};
constexpr std::array<JitterOffset, 4> kJitter4{
    {{0.375, 0.25}, {0.125, 0.75}, {0.875, 0.25}, {0.625, 0.75}}};
constexpr std::array<JitterOffset, 5> kJitter5{
    {{0.5, 0.5}, {0.3, 0.1}, {0.7, 0.9}, {0.9, 0.3}, {0.1, 0.7}}};
constexpr std::array<JitterOffset, 6> kJitter6{{{0.4646464646, 0.4646464646},
                                                {0.1313131313, 0.7979797979},
                                                {0.5353535353, 0.8686868686},
                                                {0.8686868686, 0.5353535353},
                                                {0.7979797979, 0.1313131313},
                                                {0.2020202020, 0.2020202020}}};
constexpr std::array<JitterOffset, 8> kJitter8{{{0.5625, 0.4375},
                                                {0.0625, 0.9375},
                                                {0.3125, 0.6875},
                                                {0.6875, 0.8125},
                                                {0.8125, 0.1875},
                                                {0.9375, 0.5625},
                                                {0.4375, 0.0625},
                                                {0.1875, 0.3125}}};
constexpr std::array<JitterOffset, 9> kJitter9{{{0.5, 0.5},
                                                {0.1666666666, 0.9444444444},
                                                {0.5, 0.1666666666},
                                                {0.5, 0.8333333333},
                                                {0.1666666666, 0.2777777777},
                                                {0.8333333333, 0.3888888888},
                                                {0.1666666666, 0.6111111111},
                                                {0.8333333333, 0.7222222222},
                                                {0.8333333333, 0.0555555555}}};

}  // namespace

std::span<const JitterOffset> JitterTable(int passes) {
    switch (passes) {
        case 2: return kJitter2;
        case 3: return kJitter3;
        case 4: return kJitter4;
        case 5: return kJitter5;
        case 6: return kJitter6;
        case 8: return kJitter8;
        case 9: return kJitter9;
        default: return {};
    }
}

FrameAccumulator::FrameAccumulator(int width, int height, const PixelLayout& layout)
    : m_width(width > 0 ? width : 0), m_height(height > 0 ? height : 0), m_layout(layout) {
    m_redBits = CountMaskBits(layout.redMask);
    m_greenBits = CountMaskBits(layout.greenMask);
    m_blueBits = CountMaskBits(layout.blueMask);
    // The cells expect blue in the lowest bits, green right above it and red right above green,
    // as in every RGB layout of 15 to 32 bits; wide layouts keep red above bit 15.
    const int pixelBits = layout.bytesPerPixel * 8;
    const std::uint64_t pixelMask = pixelBits >= 32 ? 0xFFFFFFFFull : (1ull << pixelBits) - 1;
    const auto contiguous = [](std::uint32_t mask, int shift, int bits) {
        return bits > 0 && bits < 32 && mask == ((1u << bits) - 1u) << shift;
    };
    const int redShift = m_blueBits + m_greenBits;
    m_usable = layout.bytesPerPixel >= 1 && layout.bytesPerPixel <= 4 &&
               contiguous(layout.blueMask, 0, m_blueBits) &&
               contiguous(layout.greenMask, m_blueBits, m_greenBits) &&
               redShift < 32 && contiguous(layout.redMask, redShift, m_redBits) &&
               ((layout.redMask | layout.greenMask | layout.blueMask) & ~pixelMask) == 0 &&
               (Wide() ? redShift >= 16 && m_greenBits <= 16 && m_blueBits <= 16
                       : redShift <= 11 && m_redBits <= 11);
    if (m_usable)
        m_cells.assign(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height) *
                           (Wide() ? 2u : 1u),
                       0u);
}

void FrameAccumulator::Reset() { std::fill(m_cells.begin(), m_cells.end(), 0u); }

// `Bytes` 0 reads the pixel size from the layout; a fixed size lets the compiler read each pixel
// as one word, which matters for the 32-bit pictures of every still frame.
template <int Bytes>
void FrameAccumulator::AccumulateRows(const std::uint8_t* pixels, std::size_t pitch) {
    const int bytes = Bytes != 0 ? Bytes : m_layout.bytesPerPixel;
    const bool wide = Wide();
    std::uint32_t* cell = m_cells.data();
    for (int y = 0; y < m_height; ++y) {
        const std::uint8_t* row = pixels + static_cast<std::size_t>(y) * pitch;
        for (int x = 0; x < m_width; ++x) {
            const std::uint32_t p = ReadPixel(row + x * bytes, bytes);
            const std::uint32_t r = p & m_layout.redMask;
            const std::uint32_t g = p & m_layout.greenMask;
            const std::uint32_t b = p & m_layout.blueMask;
            if (wide) {
                *cell++ += r | (g >> m_greenBits);
                *cell++ += b;
            } else {
                *cell++ += (r << (21 - m_greenBits - m_blueBits)) | (g << (11 - m_blueBits)) | b;
            }
        }
    }
}

template <int Bytes>
void FrameAccumulator::AverageRows(std::uint32_t n, std::uint8_t* pixels, std::size_t pitch) const {
    const int bytes = Bytes != 0 ? Bytes : m_layout.bytesPerPixel;
    const bool wide = Wide();
    const std::uint32_t* cell = m_cells.data();
    for (int y = 0; y < m_height; ++y) {
        std::uint8_t* row = pixels + static_cast<std::size_t>(y) * pitch;
        for (int x = 0; x < m_width; ++x) {
            std::uint32_t pixel = 0;
            if (wide) {
                const std::uint32_t first = *cell++;
                const std::uint32_t second = *cell++;
                const std::uint32_t r = ((first & 0xFFFF0000u) / n) & 0xFFFF0000u;
                const std::uint32_t g = (((first & 0xFFFFu) / n) & 0xFFFFu) << m_greenBits;
                const std::uint32_t b = ((second & 0xFFFFu) / n) & 0xFFFFu;
                pixel = r | g | b;
            } else {
                const std::uint32_t c = *cell++;
                const std::uint32_t r = ((c & 0xFFE00000u) / n) & 0xFFE00000u;
                const std::uint32_t g = ((c & 0x001FF800u) / n) & 0x001FF800u;
                const std::uint32_t b = ((c & 0x000007FFu) / n) & 0x000007FFu;
                pixel = ((r >> (21 - m_greenBits - m_blueBits)) & m_layout.redMask) |
                        ((g >> (11 - m_blueBits)) & m_layout.greenMask) | (b & m_layout.blueMask);
            }
            WritePixel(row + x * bytes, bytes, pixel);
        }
    }
}

bool FrameAccumulator::Accumulate(const std::uint8_t* pixels, std::size_t pitch) {
    if (!m_usable || pixels == nullptr) return false;
    if (m_layout.bytesPerPixel == 4) {
        AccumulateRows<4>(pixels, pitch);
    } else {
        AccumulateRows<0>(pixels, pitch);
    }
    return true;
}

bool FrameAccumulator::Average(int passes, std::uint8_t* pixels, std::size_t pitch) const {
    if (!m_usable || pixels == nullptr || passes < 1) return false;
    const auto n = static_cast<std::uint32_t>(passes);
    if (m_layout.bytesPerPixel == 4) {
        AverageRows<4>(n, pixels, pitch);
    } else {
        AverageRows<0>(n, pixels, pitch);
    }
    return true;
}

}  // namespace roamer::render
