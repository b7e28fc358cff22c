#include "platform/rm/texture.h"

#include <stb_image.h>

#include <algorithm>
#include <cctype>
#include <limits>

#include "platform/fs/input_file.h"
#include "platform/rm/jpeg_check.h"
#include "platform/rm/object_id.h"

namespace roamer::rm {
namespace {

// Texture files are at most a few megabytes; anything far beyond is not a texture we can use.
constexpr std::size_t kMaxFileBytes = 256u * 1024u * 1024u;
constexpr long long kMaxPixels = 64ll * 1024 * 1024;

Status ReadWholeFile(const std::string& path, std::vector<unsigned char>* bytes) {
    switch (fs::ReadWholeFile(path, kMaxFileBytes, *bytes)) {
        case fs::WholeFile::kRead: return D3DRM_OK;
        case fs::WholeFile::kTooLarge: return D3DRMERR_BADFILE;
        case fs::WholeFile::kCannotRead: break;
    }
    return D3DRMERR_FILENOTFOUND;
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

// True for a binary PPM or PGM file whose pixels stop before the size its header gives: the
// image library leaves the missing pixels as whatever its buffer held.
bool IsShortBinaryPnm(const std::vector<unsigned char>& bytes) {
    if (bytes.size() < 2 || bytes[0] != 'P' || (bytes[1] != '5' && bytes[1] != '6')) {
        return false;
    }
    const unsigned long long channels = bytes[1] == '5' ? 1 : 3;
    std::size_t at = 2;
    // Width, height and largest value, each capped so that their product cannot overflow.
    unsigned long long fields[3] = {0, 0, 0};
    for (unsigned long long& field : fields) {
        for (;;) {  // blanks and comments before each number
            if (at < bytes.size() && bytes[at] == '#') {
                while (at < bytes.size() && bytes[at] != '\n' && bytes[at] != '\r') ++at;
            } else if (at < bytes.size() && std::isspace(bytes[at]) != 0) {
                ++at;
            } else {
                break;
            }
        }
        if (at >= bytes.size() || std::isdigit(bytes[at]) == 0) return true;
        while (at < bytes.size() && std::isdigit(bytes[at]) != 0) {
            field = std::min<unsigned long long>(field * 10 + (bytes[at++] - '0'), 1ull << 27);
        }
    }
    ++at;  // the one blank after the header
    const unsigned long long sampleBytes = fields[2] > 255 ? 2 : 1;
    const unsigned long long needed = fields[0] * fields[1] * channels * sampleBytes;
    return at > bytes.size() || bytes.size() - at < needed;
}

}  // namespace

std::uint32_t Image::PixelRGB(int x, int y) const {
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                            static_cast<std::size_t>(x)) *
                           4u;
    return (std::uint32_t{rgba[at]} << 16) | (std::uint32_t{rgba[at + 1]} << 8) | rgba[at + 2];
}

Texture::Texture(Image image) : m_image(std::move(image)), m_id(NewObjectId()) {}

Status Texture::Load(const std::string& path, std::shared_ptr<Texture>* texture) {
    if (texture == nullptr) {
        return D3DRMERR_BADVALUE;
    }
    texture->reset();
    std::vector<unsigned char> bytes;
    if (const Status status = ReadWholeFile(path, &bytes); Failed(status)) {
        return status;
    }
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return D3DRMERR_BADFILE;
    }
    if (!JpegHuffmanTablesFit(bytes)) {
        return D3DRMERR_BADFILE;
    }
    const int length = static_cast<int>(bytes.size());
    int width = 0;
    int height = 0;
    int channels = 0;
    // Ask for the size first so a hostile header cannot make us allocate a huge picture.
    if (stbi_info_from_memory(bytes.data(), length, &width, &height, &channels) == 0 ||
        width <= 0 || height <= 0 ||
        static_cast<long long>(width) * static_cast<long long>(height) > kMaxPixels) {
        return D3DRMERR_BADFILE;
    }
    if (IsShortBinaryPnm(bytes)) {
        return D3DRMERR_BADFILE;
    }
    // The pixels come in the file's own channels and are widened here: the library's own
    // conversion reads past its buffer for 16-bit PNM files.
    stbi_uc* pixels = stbi_load_from_memory(bytes.data(), length, &width, &height, &channels, 0);
    if (pixels == nullptr) {
        return D3DRMERR_BADFILE;
    }
    if (channels < 1 || channels > 4) {
        stbi_image_free(pixels);
        return D3DRMERR_BADFILE;
    }
    Image image;
    image.width = width;
    image.height = height;
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    image.rgba.resize(count * 4u);
    ToRgba(pixels, count, channels, image.rgba.data());
    stbi_image_free(pixels);
    *texture = std::make_shared<Texture>(std::move(image));
    return D3DRM_OK;
}

Status Texture::SetDecalTransparency(bool on) {
    if (m_decalTransparency != on) {
        m_decalTransparency = on;
        ++m_generation;
    }
    return D3DRM_OK;
}

Status Texture::SetDecalTransparentColor(Color color) {
    if (m_transparentColor != color) {
        m_transparentColor = color;
        ++m_generation;
    }
    return D3DRM_OK;
}

bool Texture::IsKeyedOut(int x, int y) const {
    return m_decalTransparency && m_image.PixelRGB(x, y) == (m_transparentColor & 0x00FFFFFFu);
}

}  // namespace roamer::rm
