#include "platform/rm/light.h"

#include <cmath>
#include <numbers>

namespace roamer::rm {

bool IsValidLightType(std::int32_t type) {
    return type >= D3DRMLIGHT_AMBIENT && type <= D3DRMLIGHT_PARALLELPOINT;
}

Light::Light(LightType type, Color color)
    : m_type(IsValidLightType(type) ? type : D3DRMLIGHT_AMBIENT), m_color(color) {}

Status Light::SetType(LightType type) {
    if (!IsValidLightType(type)) {
        return D3DRMERR_BADVALUE;
    }
    m_type = type;
    return D3DRM_OK;
}

Status Light::SetColor(Color color) {
    m_color = color;
    return D3DRM_OK;
}

Status Light::SetColorRGB(float red, float green, float blue) {
    return SetColor(CreateColorRGB(red, green, blue));
}

Status Light::SetUmbra(float angle) {
    if (!std::isfinite(angle) || angle < 0.0f || angle > 2.0f * std::numbers::pi_v<float>) {
        return D3DRMERR_BADVALUE;
    }
    m_umbra = angle;
    return D3DRM_OK;
}

Status Light::SetPenumbra(float angle) {
    if (!std::isfinite(angle) || angle < 0.0f || angle > 2.0f * std::numbers::pi_v<float>) {
        return D3DRMERR_BADVALUE;
    }
    m_penumbra = angle;
    return D3DRM_OK;
}

}  // namespace roamer::rm
