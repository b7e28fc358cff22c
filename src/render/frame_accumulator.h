#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace roamer::render {

// Where red, green and blue lie in a pixel read as a little-endian unsigned number.
struct PixelLayout {
    std::uint32_t redMask = 0;
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
    int bytesPerPixel = 0;
};

// One sub-pixel offset of the projection window, in pixels, in [0, 1).
struct JitterOffset {
    double x;
    double y;
};

// The jitter offsets for `passes` renders; empty for counts without a table (0, 1, 7, 10 on).
std::span<const JitterOffset> JitterTable(int passes);

// Sums several renders of one picture and averages them. Pictures whose colour has fewer than
// 24 bits keep one 32-bit cell per pixel (red in bits 21..31, green 11..20, blue 0..10), which
// leaves room for 16 passes of a 5-6-5 picture; deeper pictures keep two cells per pixel with
// 16-bit fields, which hold 257 passes of 8 bits.
class FrameAccumulator {
public:
    FrameAccumulator(int width, int height, const PixelLayout& layout);

    // False when the layout is no RGB layout the cells can hold (then nothing can be summed).
    bool IsUsable() const { return m_usable; }
    // Forgets every picture added, keeping the cells for the next still of the same size.
    void Reset();
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Adds one picture, rows `pitch` bytes apart.
    bool Accumulate(const std::uint8_t* pixels, std::size_t pitch);
    // Writes the average of `passes` pictures into `pixels` (rows `pitch` bytes apart).
    bool Average(int passes, std::uint8_t* pixels, std::size_t pitch) const;

    int RedBits() const { return m_redBits; }
    int GreenBits() const { return m_greenBits; }
    int BlueBits() const { return m_blueBits; }

private:
    bool Wide() const { return m_redBits + m_greenBits + m_blueBits >= 24; }
    template <int Bytes>
    void AccumulateRows(const std::uint8_t* pixels, std::size_t pitch);
    template <int Bytes>
    void AverageRows(std::uint32_t passes, std::uint8_t* pixels, std::size_t pitch) const;

    int m_width;
    int m_height;
    PixelLayout m_layout;
    int m_redBits = 0;
    int m_greenBits = 0;
    int m_blueBits = 0;
    bool m_usable = false;
    std::vector<std::uint32_t> m_cells;
};

}  // namespace roamer::render
