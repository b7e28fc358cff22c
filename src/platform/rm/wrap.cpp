#include "platform/rm/wrap.h"

#include <cmath>

namespace roamer::rm {

Status Wrap::Create(WrapType type, Vector3 origin, Vector3 direction, Vector3 up, float ou,
                    float ov, float su, float sv, std::unique_ptr<Wrap>* wrap) {
    if (wrap == nullptr || type != D3DRMWRAP_FLAT) {
        return D3DRMERR_BADVALUE;
    }
    for (const float value : {origin.x, origin.y, origin.z, ou, ov, su, sv}) {
        if (!std::isfinite(value)) {
            return D3DRMERR_BADVALUE;
        }
    }
    Vector3 x, y, z;
    if (!OrientationAxes(direction, up, &x, &y, &z)) {
        return D3DRMERR_BADVALUE;
    }
    std::unique_ptr<Wrap> made(new Wrap);
    made->m_origin = origin;
    made->m_x = x;
    made->m_y = y;
    made->m_ou = ou;
    made->m_ov = ov;
    made->m_su = su;
    made->m_sv = sv;
    *wrap = std::move(made);
    return D3DRM_OK;
}

void Wrap::Map(Vector3 point, float* u, float* v) const {
    const Vector3 offset = point - m_origin;
    *u = m_su * DotProduct(offset, m_x) - m_ou;
    *v = m_sv * DotProduct(offset, m_y) - m_ov;
}

Status Wrap::Apply(Face& face) const {
    for (int k = 0; k < face.GetVertexCount(); ++k) {
        float u = 0.0f;
        float v = 0.0f;
        Map(face.Vertices()[static_cast<std::size_t>(k)].position, &u, &v);
        if (const Status status = face.SetTextureCoordinates(k, u, v); Failed(status)) {
            return status;
        }
    }
    return D3DRM_OK;
}

}  // namespace roamer::rm
