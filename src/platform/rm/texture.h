#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/rm/color.h"
#include "platform/rm/status.h"

namespace roamer::rm {

// A decoded picture: 8-bit red, green, blue, alpha per pixel, rows from the top of the picture.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    std::uint32_t PixelRGB(int x, int y) const;  // 0x00RRGGBB
};

// A picture applied to faces. Shared by every face that shows it.
class Texture {
public:
    explicit Texture(Image image);

    // Reads BMP (8-bit palettes included), PNG, JPEG, TGA and binary PPM/PGM, known by their
    // content. A missing or unreadable file gives D3DRMERR_FILENOTFOUND; a file that is not a
    // picture of these formats, or whose size is more than its data can describe (see
    // MostPixelsDescribed), D3DRMERR_BADFILE.
    static Status Load(const std::string& path, std::shared_ptr<Texture>* texture);

    const Image& GetImage() const { return m_image; }

    // With decal transparency on, texels of the transparent colour (black unless set) are not
    // drawn at all.
    Status SetDecalTransparency(bool on);
    bool GetDecalTransparency() const { return m_decalTransparency; }
    Status SetDecalTransparentColor(Color color);
    Color GetDecalTransparentColor() const { return m_transparentColor; }
    // Whether texel (x, y) is left out by the colour key.
    bool IsKeyedOut(int x, int y) const;

    std::uint64_t Id() const { return m_id; }
    // Changes whenever what the texture draws changes, so a device knows to upload it again.
    std::uint64_t Generation() const { return m_generation; }

private:
    Image m_image;
    bool m_decalTransparency = false;
    Color m_transparentColor = 0;
    std::uint64_t m_id;
    std::uint64_t m_generation = 1;
};

}  // namespace roamer::rm
