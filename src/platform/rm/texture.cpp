#include "platform/rm/texture.h"

#include <stb_image.h>

#include <limits>

#include "platform/fs/input_file.h"
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
    stbi_uc* pixels = stbi_load_from_memory(bytes.data(), length, &width, &height, &channels, 4);
    if (pixels == nullptr) {
        return D3DRMERR_BADFILE;
    }
    Image image;
    image.width = width;
    image.height = height;
    const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4u;
    image.rgba.assign(pixels, pixels + size);
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
