#include "platform/rm/picture_decoder.h"

#include <cstddef>
#include <cstdint>
#include <limits>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_MAX_DIMENSIONS 16384
#include <stb_image.h>

#include "platform/rm/jpeg_decoder.h"
#include "platform/rm/picture_format.h"
#include "platform/rm/png_decoder.h"
#include "platform/rm/pnm_decoder.h"

namespace roamer::rm {
namespace {

bool FitsInt(std::span<const unsigned char> bytes) {
    return !bytes.empty() &&
           bytes.size() <= static_cast<std::size_t>(std::numeric_limits<int>::max());
}

// Grey, grey and alpha, RGB or RGBA pixels as RGBA; missing alpha is opaque.
void ToRgba(const unsigned char* from, std::size_t count, int channels, std::uint8_t* to) {
    for (std::size_t i = 0; i < count; ++i, from += channels, to += 4) {
        const bool grey = channels < 3;
        to[0] = from[0];
        to[1] = grey ? from[0] : from[1];
        to[2] = grey ? from[0] : from[2];
        to[3] = channels == 2 ? from[1] : channels == 4 ? from[3] : 0xFF;
    }
}

}  // namespace

bool ReadPictureSize(std::span<const unsigned char> bytes, int* width, int* height) {
    switch (IdentifyPicture(bytes)) {
        case PictureFormat::kJpeg: return ReadJpegSize(bytes, width, height);
        case PictureFormat::kPng: return ReadPngSize(bytes, width, height);
        case PictureFormat::kPnm: return ReadPnmSize(bytes, width, height);
        default: break;
    }
    int channels = 0;
    return FitsInt(bytes) && stbi_info_from_memory(bytes.data(), static_cast<int>(bytes.size()),
                                                   width, height, &channels) != 0;
}

bool DecodePicture(std::span<const unsigned char> bytes, Image* image) {
    switch (IdentifyPicture(bytes)) {
        case PictureFormat::kJpeg: return DecodeJpeg(bytes, image);
        case PictureFormat::kPng: return DecodePng(bytes, image);
        case PictureFormat::kPnm: return DecodePnm(bytes, image);
        default: break;
    }
    if (!FitsInt(bytes)) return false;
    int width = 0;
    int height = 0;
    int channels = 0;
    // The pixels come in the file's own channels and are widened here.
    stbi_uc* pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width,
                                            &height, &channels, 0);
    if (pixels == nullptr) return false;
    const bool usable = channels >= 1 && channels <= 4 && width > 0 && height > 0;
    if (usable) {
        image->width = width;
        image->height = height;
        const std::size_t count =
            static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
        image->rgba.resize(count * 4u);
        ToRgba(pixels, count, channels, image->rgba.data());
    }
    stbi_image_free(pixels);
    return usable;
}

}  // namespace roamer::rm
