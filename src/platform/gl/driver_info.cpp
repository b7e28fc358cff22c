#include "platform/gl/driver_info.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cctype>

namespace roamer::gl {
namespace {

std::string GlString(GLenum name) {
    const GLubyte* text = glGetString(name);
    return text != nullptr ? reinterpret_cast<const char*>(text) : std::string();
}

}  // namespace

bool IsSoftwareRenderer(const std::string& renderer) {
    std::string lower = renderer;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* software : {"llvmpipe", "softpipe", "swrast", "software rasterizer",
                                 "swiftshader", "lavapipe"}) {
        if (lower.find(software) != std::string::npos) {
            return true;
        }
    }
    return false;
}

std::vector<DriverInfo> EnumerateDrivers() {
    const std::string renderer = GlString(GL_RENDERER);
    if (renderer.empty()) {
        return {};
    }
    DriverInfo driver;
    driver.isHardware = !IsSoftwareRenderer(renderer);
    // The driver choice looks for the software rasterizer by this name.
    driver.name = driver.isHardware ? renderer : "RGB Emulation";
    driver.about = GlString(GL_VENDOR) + " " + renderer + " " + GlString(GL_VERSION);
    // The device draws into 8-bit-per-channel buffers of its own and shows them in 24- or
    // 32-bit windows; its depth buffer has 24 bits.
    driver.renderBitDepths = DDBD_24 | DDBD_32;
    driver.zBufferBitDepths = DDBD_24;
    driver.perspectiveTextures = true;
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    driver.maxTextureSize = size;
    return {driver};
}

std::vector<rm::DriverDescription> DescribeDrivers() {
    std::vector<rm::DriverDescription> drivers;
    for (const DriverInfo& info : EnumerateDrivers()) {
        rm::DriverDescription d;
        d.name = info.name;
        d.about = info.about;
        d.isHardware = info.isHardware;
        d.renderBitDepths = info.renderBitDepths;
        d.zBufferBitDepths = info.zBufferBitDepths;
        d.perspectiveTextures = info.perspectiveTextures;
        d.textureFormats = 1;
        drivers.push_back(std::move(d));
    }
    return drivers;
}

}  // namespace roamer::gl
