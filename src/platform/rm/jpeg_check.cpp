#include "platform/rm/jpeg_check.h"

#include <cstddef>

namespace roamer::rm {
namespace {

constexpr unsigned char kMarker = 0xFF;
constexpr unsigned char kStartOfImage = 0xD8;
constexpr unsigned char kEndOfImage = 0xD9;
constexpr unsigned char kHuffmanTables = 0xC4;
constexpr std::size_t kMaxCodes = 256;

// Markers that stand alone, without a length: stuffed zero, restarts, start of image, TEM.
bool StandsAlone(unsigned char marker) {
    return marker == 0x00 || (marker >= 0xD0 && marker <= 0xD8) || marker == 0x01;
}

// A DHT segment's tables, `length` bytes from `at` (its own length field excluded), read as
// the reader reads them: a class and slot byte, 16 counts, then as many values as they add up to.
bool TablesFit(std::span<const unsigned char> bytes, std::size_t at, long length) {
    while (length > 0) {
        std::size_t codes = 0;
        for (std::size_t i = 1; i <= 16; ++i)
            if (at + i < bytes.size()) codes += bytes[at + i];  // the reader reads 0 past the end
        if (codes > kMaxCodes) return false;
        at += 17 + codes;
        length -= static_cast<long>(17 + codes);
    }
    return true;
}

}  // namespace

bool JpegHuffmanTablesFit(std::span<const unsigned char> bytes) {
    if (bytes.size() < 2 || bytes[0] != kMarker || bytes[1] != kStartOfImage) return true;
    // Outside segments every byte is looked at (the reader skips padding and scans the coded
    // data for the next marker); a segment is passed by its length, as the reader passes it.
    std::size_t at = 2;
    while (at < bytes.size()) {
        if (bytes[at] != kMarker) {
            ++at;
            continue;
        }
        while (at < bytes.size() && bytes[at] == kMarker) ++at;  // fill bytes
        if (at + 2 >= bytes.size()) break;
        const unsigned char marker = bytes[at];
        if (marker == kEndOfImage) break;
        if (StandsAlone(marker)) {
            ++at;
            continue;
        }
        const std::size_t length = std::size_t{bytes[at + 1]} << 8 | bytes[at + 2];
        if (marker == kHuffmanTables && !TablesFit(bytes, at + 3, static_cast<long>(length) - 2))
            return false;
        at += 1 + length;
    }
    return true;
}

}  // namespace roamer::rm
