#include "platform/rm/texture.h"

#include <algorithm>

#include "platform/fs/input_file.h"
#include "platform/rm/object_id.h"
#include "platform/rm/picture_decoder.h"
#include "platform/rm/picture_format.h"

namespace roamer::rm {
namespace {

// Texture files are at most a few megabytes; anything far beyond is not a texture we can use.
constexpr std::size_t kMaxFileBytes = 128u * 1024u * 1024u;

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
    // Only the formats we list reach a decoder, and only with a size their data can describe:
    // the header's size is read first so a hostile header cannot make us allocate a huge picture.
    const PictureFormat format = IdentifyPicture(bytes);
    int width = 0;
    int height = 0;
    if (format == PictureFormat::kUnknown || !ReadPictureSize(bytes, &width, &height) ||
        width <= 0 || height <= 0 ||
        std::uint64_t(width) * std::uint64_t(height) > MostPixelsDescribed(format, bytes)) {
        return D3DRMERR_BADFILE;
    }
    Image image;
    if (!DecodePicture(bytes, &image)) {
        return D3DRMERR_BADFILE;
    }
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
