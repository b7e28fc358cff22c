#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/rm/device.h"
#include "platform/rm/status.h"

namespace roamer::rm {

// Bit-depth flags of a driver's capability masks.
inline constexpr std::uint32_t DDBD_1 = 0x4000;
inline constexpr std::uint32_t DDBD_2 = 0x2000;
inline constexpr std::uint32_t DDBD_4 = 0x1000;
inline constexpr std::uint32_t DDBD_8 = 0x0800;
inline constexpr std::uint32_t DDBD_16 = 0x0400;
inline constexpr std::uint32_t DDBD_24 = 0x0200;
inline constexpr std::uint32_t DDBD_32 = 0x0100;

// One 3D driver as the drawing system reports it.
struct DriverDescription {
    std::string name;   // "RGB Emulation" for the software rasterizer
    std::string about;  // vendor, renderer and version
    bool isHardware = false;
    std::uint32_t renderBitDepths = 0;   // DDBD_ flags of the colour depths it draws
    std::uint32_t zBufferBitDepths = 0;  // DDBD_ flags of its depth buffers; 0 for none
    bool perspectiveTextures = false;
    int textureFormats = 0;  // texture formats it offers
};

struct DisplayMode {
    int width = 0;
    int height = 0;
    int depth = 0;  // bits per pixel
};

// What the render engine draws for: the player's 3D view, or an offscreen context in the tools
// and tests. It owns the drawing context; the engine owns the devices made in it.
class RenderSurface {
public:
    virtual ~RenderSurface() = default;

    // Bits per pixel of the surface's pictures.
    virtual int GetDepth() const = 0;
    // The screen the surface is shown on; false when it cannot be read.
    virtual bool GetDisplayMode(DisplayMode* mode) const = 0;
    // Makes the drawing context current; every device call below needs it.
    virtual bool MakeCurrent() = 0;
    virtual std::vector<DriverDescription> EnumerateDrivers() = 0;
    // A device of the given size drawn by `driver`.
    virtual Status CreateDevice(const DriverDescription& driver, int width, int height,
                                    std::unique_ptr<Device>* device) = 0;
};

}  // namespace roamer::rm
