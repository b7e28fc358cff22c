#include "render/driver_table.h"

#include "render/engine_status.h"

namespace roamer::render {

std::uint32_t DriverTable::DepthToMask(int depth) {
    switch (depth) {
        case 1: return rm::DDBD_1;
        case 2: return rm::DDBD_2;
        case 4: return rm::DDBD_4;
        case 8: return rm::DDBD_8;
        case 16: return rm::DDBD_16;
        case 24: return rm::DDBD_24;
        case 32: return rm::DDBD_32;
        default: return 0;
    }
}

void DriverTable::Record(const std::vector<rm::DriverDescription>& offered) {
    count = 0;
    records.clear();
    for (const rm::DriverDescription& driver : offered) {
        if (driver.isHardware && (driver.renderBitDepths & DepthToMask(windowDepth)) == 0) break;
        DriverRecord record;
        record.Name = driver.name;
        record.About = driver.about;
        record.description = driver;
        record.isHardware = driver.isHardware;
        record.doesTextures = driver.perspectiveTextures;
        record.doesZBuffer = driver.zBufferBitDepths != 0;
        records.push_back(std::move(record));
        if (++count >= kMaxDrivers) break;
    }
}

std::int32_t DriverTable::Choose(bool& preferHardware) {
    if (count == 0) return kNoDriver;
    int chosen = -1;
    if (preferHardware)
        for (int i = 0; i < count && chosen < 0; ++i)
            if (records[static_cast<std::size_t>(i)].isHardware == preferHardware) chosen = i;
    for (int i = 0; i < count && chosen < 0; ++i)
        if (records[static_cast<std::size_t>(i)].Name == "RGB Emulation") chosen = i;
    if (chosen < 0) chosen = 0;
    current = chosen;
    preferHardware = records[static_cast<std::size_t>(chosen)].isHardware;
    return 0;
}

const DriverRecord* DriverTable::Current() const {
    if (current < 0 || current >= count) return nullptr;
    return &records[static_cast<std::size_t>(current)];
}

}  // namespace roamer::render
