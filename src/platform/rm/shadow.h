#pragma once

#include <array>
#include <memory>

#include "platform/rm/light.h"
#include "platform/rm/status.h"
#include "platform/rm/transform.h"
#include "platform/rm/vector.h"
#include "platform/rm/visual.h"

namespace roamer::rm {

class MeshBuilder;

// The shadow a mesh casts from one light onto a plane (given in scene coordinates). Shown by the
// frame it is added to: the mesh is placed as that frame places it, then flattened onto the
// plane along rays from the light (point, spot) or along the light's direction (directional,
// parallel point).
class Shadow final : public Visual {
public:
    // The visual must be a mesh and the light present; the plane normal must not be zero.
    static Status Create(std::shared_ptr<Visual> visual, std::shared_ptr<Light> light,
                         Vector3 planePoint, Vector3 planeNormal, std::shared_ptr<Shadow>* shadow);

    Kind GetKind() const override { return Kind::Shadow; }

    const std::shared_ptr<MeshBuilder>& GetMesh() const { return m_mesh; }
    std::shared_ptr<Light> GetLight() const { return m_light.lock(); }
    Vector3 PlanePoint() const { return m_planePoint; }
    Vector3 PlaneNormal() const { return m_planeNormal; }

    // Row-vector 4x4 matrix taking a scene point to its shadow on the plane, for an object whose
    // frame has its origin at `objectOrigin`. D3DRMERR_NOTFOUND when the light is gone or hangs
    // in no frame; D3DRMERR_BADVALUE for an ambient light or a light that cannot reach the
    // plane from the side its normal faces.
    Status Projection(Vector3 objectOrigin, std::array<float, 16>* matrix) const;

private:
    Shadow() = default;

    std::shared_ptr<MeshBuilder> m_mesh;
    std::weak_ptr<Light> m_light;  // the light belongs to its frame, not to its shadows
    Vector3 m_planePoint;
    Vector3 m_planeNormal;
};

}  // namespace roamer::rm
