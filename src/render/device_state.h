#pragma once

#include <cstdint>

#include "platform/rm/device.h"

namespace roamer::render {

// The device settings the engine carries over when it makes a new device for a new size.
struct DeviceState {
    bool dither = false;
    std::uint32_t shades = 0;
    rm::RenderQuality shadeMode = 0;  // quality & 0x7
    rm::RenderQuality lighting = 0;   // quality & 0x38
    rm::RenderQuality fillMode = 0;   // quality & 0x1C0

    void ReadQuality(rm::RenderQuality quality) {
        shadeMode = quality & rm::D3DRMSHADE_MASK;
        lighting = quality & rm::D3DRMLIGHT_MASK;
        fillMode = quality & rm::D3DRMFILL_MASK;
    }
    rm::RenderQuality Quality() const { return shadeMode + lighting + fillMode; }
};

}  // namespace roamer::render
