#include "platform/rm/pnm_decoder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

#include "platform/rm/picture_format.h"

namespace roamer::rm {
namespace {

// Numbers are capped here, far above any picture we keep, so that products cannot overflow.
constexpr std::uint64_t kNumberCap = std::uint64_t{1} << 27;
constexpr std::uint64_t kLargestSample = 65535;

struct PnmHeader {
    std::size_t channels = 0;
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    std::uint64_t largest = 0;
    std::size_t pixelsAt = 0;
};

bool IsBlank(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

std::optional<PnmHeader> ReadHeader(std::span<const unsigned char> bytes) {
    if (bytes.size() < 3 || bytes[0] != 'P' || (bytes[1] != '5' && bytes[1] != '6'))
        return std::nullopt;
    PnmHeader header;
    header.channels = bytes[1] == '5' ? 1 : 3;
    std::size_t at = 2;
    for (std::uint64_t* field : {&header.width, &header.height, &header.largest}) {
        for (;;) {  // blanks, and comments up to the end of their line, before each number
            if (at < bytes.size() && bytes[at] == '#') {
                while (at < bytes.size() && bytes[at] != '\n' && bytes[at] != '\r') ++at;
            } else if (at < bytes.size() && IsBlank(bytes[at])) {
                ++at;
            } else {
                break;
            }
        }
        if (at >= bytes.size() || !IsDigit(bytes[at])) return std::nullopt;
        while (at < bytes.size() && IsDigit(bytes[at]))
            *field = std::min(*field * 10 + (bytes[at++] - '0'), kNumberCap);
    }
    // Exactly one blank separates the header from the pixels.
    if (at >= bytes.size() || !IsBlank(bytes[at])) return std::nullopt;
    header.pixelsAt = at + 1;
    if (header.width == 0 || header.height == 0 || header.largest == 0 ||
        header.largest > kLargestSample)
        return std::nullopt;
    return header;
}

std::uint8_t Scaled(unsigned sample, unsigned largest) {
    if (largest == 255) return static_cast<std::uint8_t>(sample);
    return static_cast<std::uint8_t>(std::min(255u, (sample * 255u + largest / 2u) / largest));
}

}  // namespace

bool ReadPnmSize(std::span<const unsigned char> bytes, int* width, int* height) {
    const std::optional<PnmHeader> header = ReadHeader(bytes);
    if (!header) return false;
    *width = static_cast<int>(header->width);
    *height = static_cast<int>(header->height);
    return true;
}

bool DecodePnm(std::span<const unsigned char> bytes, Image* image) {
    const std::optional<PnmHeader> header = ReadHeader(bytes);
    if (!header || header->width * header->height > kMaxPicturePixels) return false;
    const std::size_t sampleBytes = header->largest > 255 ? 2 : 1;
    const std::size_t count = header->width * header->height;
    if (bytes.size() - header->pixelsAt < count * header->channels * sampleBytes) return false;

    const unsigned largest = static_cast<unsigned>(header->largest);
    const unsigned char* from = bytes.data() + header->pixelsAt;
    auto next = [&] {
        unsigned sample = *from++;
        if (sampleBytes == 2) sample = sample << 8 | *from++;  // most significant byte first
        return Scaled(sample, largest);
    };
    Image decoded;
    decoded.width = static_cast<int>(header->width);
    decoded.height = static_cast<int>(header->height);
    decoded.rgba.resize(count * 4u);
    for (std::size_t i = 0; i < count; ++i) {
        std::uint8_t* to = decoded.rgba.data() + i * 4u;
        to[0] = next();
        to[1] = header->channels == 3 ? next() : to[0];
        to[2] = header->channels == 3 ? next() : to[0];
        to[3] = 0xFF;
    }
    *image = std::move(decoded);
    return true;
}

}  // namespace roamer::rm
