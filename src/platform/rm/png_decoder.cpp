#include "platform/rm/png_decoder.h"

#include <climits>
#include <cstdint>
#include <utility>
#include <vector>

#include <png.h>

#include "platform/rm/picture_format.h"

namespace roamer::rm {
namespace {

// libpng's simplified reader, freed whichever way the read ends.
class PngRead {
public:
    explicit PngRead(std::span<const unsigned char> bytes) {
        m_image.version = PNG_IMAGE_VERSION;
        m_started = !bytes.empty() &&
                    png_image_begin_read_from_memory(&m_image, bytes.data(), bytes.size()) != 0;
    }
    ~PngRead() { png_image_free(&m_image); }
    PngRead(const PngRead&) = delete;
    PngRead& operator=(const PngRead&) = delete;

    bool HasSize() const {
        return m_started && m_image.width > 0 && m_image.height > 0 &&
               m_image.width <= INT_MAX && m_image.height <= INT_MAX;
    }
    int Width() const { return static_cast<int>(m_image.width); }
    int Height() const { return static_cast<int>(m_image.height); }

    bool ReadRgba(std::vector<std::uint8_t>* rgba) {
        m_image.format = PNG_FORMAT_RGBA;
        rgba->assign(PNG_IMAGE_SIZE(m_image), 0);
        return png_image_finish_read(&m_image, nullptr, rgba->data(), 0, nullptr) != 0;
    }

private:
    png_image m_image{};
    bool m_started = false;
};

}  // namespace

bool ReadPngSize(std::span<const unsigned char> bytes, int* width, int* height) {
    PngRead read(bytes);
    if (!read.HasSize()) return false;
    *width = read.Width();
    *height = read.Height();
    return true;
}

bool DecodePng(std::span<const unsigned char> bytes, Image* image) {
    PngRead read(bytes);
    if (!read.HasSize() ||
        std::uint64_t(read.Width()) * std::uint64_t(read.Height()) > kMaxPicturePixels)
        return false;
    Image decoded;
    if (!read.ReadRgba(&decoded.rgba)) return false;
    decoded.width = read.Width();
    decoded.height = read.Height();
    *image = std::move(decoded);
    return true;
}

}  // namespace roamer::rm
