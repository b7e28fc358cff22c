#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rm/device.h"
#include "render/frame_accumulator.h"

namespace roamer::render {

// What a smoothed still needs besides the device, kept from one still to the next: a still at
// 1920x1080 sums into 16 MB of cells and reads 8 MB pictures, which claimed and cleared anew
// each time cost more than adding the pictures up.
struct StillFrameBuffers {
    std::unique_ptr<FrameAccumulator> accumulator;
    rm::Picture picture;
    std::vector<std::uint8_t> packed;
};

}  // namespace roamer::render
