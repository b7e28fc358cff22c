#pragma once

#include <cstdint>

#include "platform/rm/color.h"
#include "platform/rm/status.h"

namespace roamer::rm {

class Frame;

enum LightType : std::int32_t {
    D3DRMLIGHT_AMBIENT = 0,
    D3DRMLIGHT_POINT = 1,
    D3DRMLIGHT_SPOT = 2,
    D3DRMLIGHT_DIRECTIONAL = 3,
    D3DRMLIGHT_PARALLELPOINT = 4,
};

// A light takes its position and direction (+z) from the frame it is added to. The alpha byte of
// its colour is ignored.
class Light {
public:
    Light(LightType type, Color color);
    Light(const Light&) = delete;
    Light& operator=(const Light&) = delete;

    // Types outside 0..4 are refused with D3DRMERR_BADVALUE.
    Status SetType(LightType type);
    LightType GetType() const { return m_type; }
    Status SetColor(Color color);
    Status SetColorRGB(float red, float green, float blue);
    Color GetColor() const { return m_color; }

    // Full cone angles in radians: full light inside half the umbra, none outside half the
    // penumbra, a linear fall-off in the cosine of the angle in between.
    Status SetUmbra(float angle);
    float GetUmbra() const { return m_umbra; }
    Status SetPenumbra(float angle);
    float GetPenumbra() const { return m_penumbra; }

    // The frame the light was last added to (null when it hangs in none).
    const Frame* GetFrame() const { return m_frame; }

private:
    friend class Frame;

    LightType m_type;
    Color m_color;
    float m_umbra = 0.4f;
    float m_penumbra = 0.5f;
    const Frame* m_frame = nullptr;
};

bool IsValidLightType(std::int32_t type);

}  // namespace roamer::rm
