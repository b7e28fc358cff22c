#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/rm/status.h"

namespace roamer::rm {

class Frame;
class Viewport;

// Render quality: shade mode, lighting and fill parts added together.
using RenderQuality = std::uint32_t;
inline constexpr RenderQuality D3DRMSHADE_FLAT = 0x0;
inline constexpr RenderQuality D3DRMSHADE_GOURAUD = 0x1;
inline constexpr RenderQuality D3DRMSHADE_PHONG = 0x2;
inline constexpr RenderQuality D3DRMSHADE_MASK = 0x7;
inline constexpr RenderQuality D3DRMLIGHT_OFF = 0x0;
inline constexpr RenderQuality D3DRMLIGHT_ON = 0x8;
inline constexpr RenderQuality D3DRMLIGHT_MASK = 0x38;
inline constexpr RenderQuality D3DRMFILL_POINTS = 0x0;
inline constexpr RenderQuality D3DRMFILL_WIREFRAME = 0x40;
inline constexpr RenderQuality D3DRMFILL_SOLID = 0x80;
inline constexpr RenderQuality D3DRMFILL_MASK = 0x1C0;
inline constexpr RenderQuality D3DRMRENDER_WIREFRAME = D3DRMFILL_WIREFRAME;
inline constexpr RenderQuality D3DRMRENDER_UNLITFLAT = D3DRMFILL_SOLID;
inline constexpr RenderQuality D3DRMRENDER_FLAT = D3DRMFILL_SOLID | D3DRMLIGHT_ON;
inline constexpr RenderQuality D3DRMRENDER_GOURAUD =
    D3DRMFILL_SOLID | D3DRMLIGHT_ON | D3DRMSHADE_GOURAUD;
inline constexpr RenderQuality D3DRMRENDER_PHONG = D3DRMFILL_SOLID | D3DRMLIGHT_ON | D3DRMSHADE_PHONG;

enum TextureQuality : std::int32_t {
    D3DRMTEXTURE_NEAREST = 0,
    D3DRMTEXTURE_LINEAR = 1,
    D3DRMTEXTURE_MIPNEAREST = 2,
    D3DRMTEXTURE_MIPLINEAR = 3,
    D3DRMTEXTURE_LINEARMIPNEAREST = 4,
    D3DRMTEXTURE_LINEARMIPLINEAR = 5,
};

using RenderMode = std::uint32_t;
inline constexpr RenderMode D3DRMRENDERMODE_BLENDEDTRANSPARENCY = 0x1;
inline constexpr RenderMode D3DRMRENDERMODE_SORTEDTRANSPARENCY = 0x2;

// Pixels as read from or written to a device: 8-bit red, green, blue, alpha, rows from the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

// A length in logical pixels as device pixels, to the nearest whole one.
inline int DevicePixels(int logical, double scale) {
    return static_cast<int>(std::lround(logical * scale));
}

// What a viewport draws on. The state is kept here so it can be read back and carried over to a
// new device; the drawing itself is the implementation's.
class Device {
public:
    virtual ~Device() = default;
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // The size in logical pixels, in which viewports, projection and picking are given.
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    // Device pixels per logical pixel: a high-density screen draws the same picture with more
    // pixels. The buffers, and the pictures read from and written to them, are in device pixels.
    virtual double GetPixelScale() const { return 1.0; }
    int GetPixelWidth() const { return DevicePixels(GetWidth(), GetPixelScale()); }
    int GetPixelHeight() const { return DevicePixels(GetHeight(), GetPixelScale()); }

    // Clears the viewport's area of the back buffer (colour black, depth far).
    virtual Status Clear(const Viewport& viewport) = 0;
    // Draws the frames below `scene` as the viewport's camera sees them, into the back buffer.
    virtual Status Render(const Viewport& viewport, const Frame& scene) = 0;
    // Presents the back buffer.
    virtual Status Update() = 0;
    // The back buffer, and writing a whole picture of the device's size into it.
    virtual Status ReadBackBuffer(Picture* picture) = 0;
    virtual Status WriteBackBuffer(const Picture& picture) = 0;

    // A quality with unknown bits or undefined shade, lighting or fill values is refused with
    // D3DRMERR_BADVALUE.
    Status SetQuality(RenderQuality quality);
    RenderQuality GetQuality() const { return m_quality; }
    Status SetDither(bool on);
    bool GetDither() const { return m_dither; }
    // Shades per colour: a power of two from 1 to 256.
    Status SetShades(std::uint32_t shades);
    std::uint32_t GetShades() const { return m_shades; }
    Status SetTextureQuality(TextureQuality quality);
    TextureQuality GetTextureQuality() const { return m_textureQuality; }
    Status SetRenderMode(RenderMode mode);
    RenderMode GetRenderMode() const { return m_renderMode; }

protected:
    Device() = default;

private:
    RenderQuality m_quality = D3DRMRENDER_FLAT;
    bool m_dither = true;
    std::uint32_t m_shades = 32;
    TextureQuality m_textureQuality = D3DRMTEXTURE_NEAREST;
    RenderMode m_renderMode = 0;
};

}  // namespace roamer::rm
