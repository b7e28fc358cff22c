#include "platform/rm/shadow.h"

#include <cmath>

#include "platform/rm/frame.h"
#include "platform/rm/mesh_builder.h"

namespace roamer::rm {

Status Shadow::Create(std::shared_ptr<Visual> visual, std::shared_ptr<Light> light,
                      Vector3 planePoint, Vector3 planeNormal, std::shared_ptr<Shadow>* shadow) {
    if (shadow == nullptr) {
        return D3DRMERR_BADVALUE;
    }
    if (visual == nullptr || light == nullptr) {
        return D3DRMERR_BADOBJECT;
    }
    if (visual->GetKind() != Kind::Mesh) {
        return D3DRMERR_BADTYPE;
    }
    const Vector3 normal = VectorNormalize(planeNormal);
    if (IsZero(normal) || !std::isfinite(planePoint.x) || !std::isfinite(planePoint.y) ||
        !std::isfinite(planePoint.z)) {
        return D3DRMERR_BADVALUE;
    }
    std::shared_ptr<Shadow> made(new Shadow);
    made->m_mesh = std::static_pointer_cast<MeshBuilder>(std::move(visual));
    made->m_light = light;
    made->m_planePoint = planePoint;
    made->m_planeNormal = normal;
    *shadow = std::move(made);
    return D3DRM_OK;
}

Status Shadow::Projection(Vector3 objectOrigin, std::array<float, 16>* matrix) const {
    const std::shared_ptr<Light> light = m_light.lock();
    if (light == nullptr || light->GetFrame() == nullptr || matrix == nullptr) {
        return D3DRMERR_NOTFOUND;
    }
    const Transform place = light->GetFrame()->WorldTransform();
    // The light as a homogeneous point (point, spot) or point at infinity (directions).
    float l[4] = {};
    switch (light->GetType()) {
        case D3DRMLIGHT_POINT:
        case D3DRMLIGHT_SPOT:
            l[0] = place.origin.x;
            l[1] = place.origin.y;
            l[2] = place.origin.z;
            l[3] = 1.0f;
            break;
        case D3DRMLIGHT_DIRECTIONAL:
            l[0] = -place.forward.x;
            l[1] = -place.forward.y;
            l[2] = -place.forward.z;
            break;
        case D3DRMLIGHT_PARALLELPOINT: {
            const Vector3 towardsLight = VectorNormalize(place.origin - objectOrigin);
            l[0] = towardsLight.x;
            l[1] = towardsLight.y;
            l[2] = towardsLight.z;
            break;
        }
        default:
            return D3DRMERR_BADVALUE;
    }
    // The plane as (n, -n·p0); P·l > 0 when the light is on the side the normal faces.
    const float plane[4] = {m_planeNormal.x, m_planeNormal.y, m_planeNormal.z,
                            -DotProduct(m_planeNormal, m_planePoint)};
    const float dot = plane[0] * l[0] + plane[1] * l[1] + plane[2] * l[2] + plane[3] * l[3];
    if (!(dot > 1e-6f)) {
        return D3DRMERR_BADVALUE;
    }
    // Column-vector form M = (P·l) I - l P^T; stored transposed for row vectors.
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const float identity = row == column ? dot : 0.0f;
            (*matrix)[static_cast<std::size_t>(column * 4 + row)] = identity - l[row] * plane[column];
        }
    }
    return D3DRM_OK;
}

}  // namespace roamer::rm
