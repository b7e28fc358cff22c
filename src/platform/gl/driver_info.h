#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace roamer::gl {

// Bit-depth flags of the capability masks.
inline constexpr std::uint32_t DDBD_1 = 0x4000;
inline constexpr std::uint32_t DDBD_2 = 0x2000;
inline constexpr std::uint32_t DDBD_4 = 0x1000;
inline constexpr std::uint32_t DDBD_8 = 0x0800;
inline constexpr std::uint32_t DDBD_16 = 0x0400;
inline constexpr std::uint32_t DDBD_24 = 0x0200;
inline constexpr std::uint32_t DDBD_32 = 0x0100;

// What a 3D driver is and can do.
struct DriverInfo {
    std::string name;   // "RGB Emulation" for a software rasterizer, else the renderer's name
    std::string about;  // vendor, renderer and version
    bool isHardware = false;
    // Colour depths it renders to and z-buffer depths it offers (DDBD_ masks).
    std::uint32_t renderBitDepths = 0;
    std::uint32_t zBufferBitDepths = 0;
    bool perspectiveTextures = false;
    int maxTextureSize = 0;
};

// The drivers of the current OpenGL context: it is one, hardware or software. Empty without a
// current context.
std::vector<DriverInfo> EnumerateDrivers();

// Mesa's software rasterizers and other CPU renderers.
bool IsSoftwareRenderer(const std::string& renderer);

}  // namespace roamer::gl
