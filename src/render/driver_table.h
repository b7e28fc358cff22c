#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/rm/render_surface.h"

namespace roamer::render {

struct DriverRecord {
    std::string Name;
    std::string About;
    rm::DriverDescription description;
    bool isHardware = false;
    bool doesTextures = false;
    bool doesZBuffer = false;
};

// The 3D drivers the engine may draw with: at most five, in the order offered.
class DriverTable {
public:
    static constexpr int kMaxDrivers = 5;

    // The DDBD_ flag of a colour depth; 0 for depths without one.
    static std::uint32_t DepthToMask(int depth);

    // Records the offered drivers: a hardware driver that cannot draw at the window depth ends
    // the list (drivers recorded before it stay); a fifth driver ends it too.
    void Record(const std::vector<rm::DriverDescription>& offered);
    // -2111 without drivers. With `preferHardware`, the first hardware driver; otherwise (or
    // when there is none) "RGB Emulation"; otherwise the first. `preferHardware` becomes the
    // chosen driver's hardware flag.
    std::int32_t Choose(bool& preferHardware);

    int count = 0;
    int current = 0;
    int windowDepth = 0;
    std::vector<DriverRecord> records;

    const DriverRecord* Current() const;
};

}  // namespace roamer::render
