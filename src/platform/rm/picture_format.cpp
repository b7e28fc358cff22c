#include "platform/rm/picture_format.h"

#include <algorithm>
#include <cstring>

namespace roamer::rm {
namespace {

constexpr std::size_t kTgaHeaderSize = 18;

unsigned Word(std::span<const unsigned char> bytes, std::size_t at) {
    return bytes[at] | (unsigned{bytes[at + 1]} << 8);
}

bool StartsWith(std::span<const unsigned char> bytes, const char* signature, std::size_t size) {
    return bytes.size() >= size && std::memcmp(bytes.data(), signature, size) == 0;
}

// TGA has no signature: its 18-byte header must describe a picture the decoder reads.
bool IsTgaHeader(std::span<const unsigned char> bytes) {
    if (bytes.size() < kTgaHeaderSize) return false;
    const unsigned colourMapType = bytes[1];
    const unsigned imageType = bytes[2];
    const unsigned bits = bytes[16];
    const bool mapped = imageType == 1 || imageType == 9;
    const bool known = mapped || imageType == 2 || imageType == 3 || imageType == 10 ||
                       imageType == 11;
    if (!known || colourMapType > 1 || (mapped && colourMapType != 1)) return false;
    if (bits != 8 && bits != 15 && bits != 16 && bits != 24 && bits != 32) return false;
    if (mapped && bits != 8 && bits != 16) return false;
    return Word(bytes, 12) > 0 && Word(bytes, 14) > 0 &&
           bytes.size() >= kTgaHeaderSize + bytes[0];  // the image ID follows the header
}

std::uint64_t BmpPixels(std::span<const unsigned char> bytes) {
    // Pixels are stored uncompressed (the decoder refuses run-length BMPs). The bit depth
    // follows the size in the old 12-byte header, the plane count in the others.
    const std::size_t at = Word(bytes, 14) == 12 ? 24 : 28;
    const unsigned bits = bytes.size() >= at + 2 ? Word(bytes, at) : 0;
    return bits == 0 ? 0 : bytes.size() * 8u / bits;
}

std::uint64_t TgaPixels(std::span<const unsigned char> bytes) {
    const unsigned bits = bytes[16];
    if (bytes[2] < 9) return bytes.size() * 8u / bits;
    // Run-length packets: one byte and one pixel value stand for at most 128 pixels.
    const unsigned pixelBytes = (bits + 7) / 8;
    return bytes.size() * 128u / (1u + pixelBytes);
}

std::uint64_t PnmPixels(std::span<const unsigned char> bytes) {
    return bytes[1] == '5' ? bytes.size() : bytes.size() / 3u;
}

}  // namespace

PictureFormat IdentifyPicture(std::span<const unsigned char> bytes) {
    if (StartsWith(bytes, "\x89PNG\r\n\x1A\n", 8)) return PictureFormat::kPng;
    if (StartsWith(bytes, "\xFF\xD8\xFF", 3)) return PictureFormat::kJpeg;
    if (StartsWith(bytes, "BM", 2) && bytes.size() >= 18) {
        const std::uint32_t info = Word(bytes, 14) | (std::uint32_t{Word(bytes, 16)} << 16);
        if (info == 12 || info == 40 || info == 56 || info == 108 || info == 124) {
            return PictureFormat::kBmp;
        }
        return PictureFormat::kUnknown;
    }
    if (bytes.size() >= 3 && bytes[0] == 'P' && (bytes[1] == '5' || bytes[1] == '6') &&
        (bytes[2] == ' ' || (bytes[2] >= '\t' && bytes[2] <= '\r'))) {
        return PictureFormat::kPnm;
    }
    return IsTgaHeader(bytes) ? PictureFormat::kTga : PictureFormat::kUnknown;
}

std::uint64_t MostPixelsDescribed(PictureFormat format, std::span<const unsigned char> bytes) {
    std::uint64_t most = 0;
    switch (format) {
        case PictureFormat::kUnknown: return 0;
        // Deflate gives at most 1032 bytes for one, and a pixel takes at least one bit.
        case PictureFormat::kPng: most = bytes.size() * 1032u * 8u; break;
        // Every 8 x 8 block of the densest component costs at least one bit in the first scan;
        // twice that many pixels leaves room for headers we do not count.
        case PictureFormat::kJpeg: most = bytes.size() * 8u * 64u * 2u; break;
        case PictureFormat::kBmp: most = BmpPixels(bytes); break;
        case PictureFormat::kTga: most = TgaPixels(bytes); break;
        case PictureFormat::kPnm: most = PnmPixels(bytes); break;
    }
    return std::min(most, kMaxPicturePixels);
}

}  // namespace roamer::rm
