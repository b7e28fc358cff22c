#include "platform/rm/color.h"

#include <cmath>

namespace roamer::rm {
namespace {

std::uint32_t ChannelByte(float value) {
    if (!(value > 0.0f)) {  // also catches NaN
        return 0;
    }
    if (value >= 1.0f) {
        return 255;
    }
    return static_cast<std::uint32_t>(value * 255.0f);
}

float ByteChannel(std::uint8_t value) { return static_cast<float>(value) / 255.0f; }

}  // namespace

Color CreateColorRGBA(float red, float green, float blue, float alpha) {
    return MakeColor(ChannelByte(alpha), ChannelByte(red), ChannelByte(green), ChannelByte(blue));
}

Color CreateColorRGB(float red, float green, float blue) {
    return CreateColorRGBA(red, green, blue, 1.0f);
}

float ColorGetAlpha(Color color) { return ByteChannel(AlphaByte(color)); }
float ColorGetRed(Color color) { return ByteChannel(RedByte(color)); }
float ColorGetGreen(Color color) { return ByteChannel(GreenByte(color)); }
float ColorGetBlue(Color color) { return ByteChannel(BlueByte(color)); }

}  // namespace roamer::rm
