#include "platform/rm/device.h"

namespace roamer::rm {

Status Device::SetQuality(RenderQuality quality) {
    const RenderQuality known = D3DRMSHADE_MASK | D3DRMLIGHT_MASK | D3DRMFILL_MASK;
    const RenderQuality shade = quality & D3DRMSHADE_MASK;
    const RenderQuality light = quality & D3DRMLIGHT_MASK;
    const RenderQuality fill = quality & D3DRMFILL_MASK;
    if ((quality & ~known) != 0 || shade > D3DRMSHADE_PHONG ||
        (light != D3DRMLIGHT_OFF && light != D3DRMLIGHT_ON) || fill > D3DRMFILL_SOLID) {
        return D3DRMERR_BADVALUE;
    }
    m_quality = quality;
    return D3DRM_OK;
}

Status Device::SetDither(bool on) {
    m_dither = on;
    return D3DRM_OK;
}

Status Device::SetShades(std::uint32_t shades) {
    if (shades < 1 || shades > 256 || (shades & (shades - 1)) != 0) {
        return D3DRMERR_BADVALUE;
    }
    m_shades = shades;
    return D3DRM_OK;
}

Status Device::SetTextureQuality(TextureQuality quality) {
    if (quality < D3DRMTEXTURE_NEAREST || quality > D3DRMTEXTURE_LINEARMIPLINEAR) {
        return D3DRMERR_BADVALUE;
    }
    m_textureQuality = quality;
    return D3DRM_OK;
}

Status Device::SetRenderMode(RenderMode mode) {
    if ((mode & ~(D3DRMRENDERMODE_BLENDEDTRANSPARENCY | D3DRMRENDERMODE_SORTEDTRANSPARENCY)) != 0) {
        return D3DRMERR_BADVALUE;
    }
    m_renderMode = mode;
    return D3DRM_OK;
}

}  // namespace roamer::rm
