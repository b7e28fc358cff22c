#pragma once

#include <cstdint>

#include "platform/rm/color.h"

namespace roamer::model {

// A colour the user chose for an object: red in the low byte, green in the second, blue in the
// third, and a separate alpha. White with alpha 255 means that nothing is overridden.
struct UserColour {
    std::int32_t red = 255;
    std::int32_t green = 255;
    std::int32_t blue = 255;
    std::int32_t alpha = 255;

    bool IsSet() const { return red != 255 || green != 255 || blue != 255 || alpha != 255; }
    // The packed form: red in the low byte.
    std::uint32_t Packed() const {
        return (static_cast<std::uint32_t>(red) & 0xFFu) |
               ((static_cast<std::uint32_t>(green) & 0xFFu) << 8) |
               ((static_cast<std::uint32_t>(blue) & 0xFFu) << 16);
    }
    bool operator==(const UserColour&) const = default;
};

// A channel value brought into 0..255.
constexpr std::uint32_t ClampChannel(std::int64_t value) {
    return value < 0 ? 0u : value > 255 ? 255u : static_cast<std::uint32_t>(value);
}

}  // namespace roamer::model
