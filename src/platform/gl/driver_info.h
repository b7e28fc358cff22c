#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/rm/render_surface.h"

namespace roamer::gl {

// The capability masks use the bit-depth flags of the render surfaces.
using rm::DDBD_1;
using rm::DDBD_2;
using rm::DDBD_4;
using rm::DDBD_8;
using rm::DDBD_16;
using rm::DDBD_24;
using rm::DDBD_32;

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

// The drivers of the current context as the render engine takes them: textures are uploaded
// as 8-bit RGBA, one format. Empty without a current context.
std::vector<rm::DriverDescription> DescribeDrivers();

// Mesa's software rasterizers and other CPU renderers.
bool IsSoftwareRenderer(const std::string& renderer);

}  // namespace roamer::gl
