// Shadows: flattened copies of furniture and walls on the plane just above the floor, cast from
// one light of the design each.
#include "app/shadows.h"

namespace roamer::app {
namespace {

using model::CWall;

// Shadows lie on the plane y = 1, so they are drawn above the floor at y = 0.
constexpr float kPlaneHeight = 1.0f;

bool CastShadow(model::CRoomDesign& design, rm::Frame* frame,
                const std::shared_ptr<rm::MeshBuilder>& mesh, const render::CLight* light,
                model::CShadowCast& cast) {
    if (frame == nullptr || !mesh || light == nullptr || !light->GetRenderLight()) return false;
    std::shared_ptr<rm::Shadow> shadow;
    if (rm::Failed(design.D3DRM().CreateShadow(mesh, light->GetRenderLight(), 0.0f, kPlaneHeight,
                                               0.0f, 0.0f, 1.0f, 0.0f, &shadow)))
        return false;
    cast.Attach(frame, std::move(shadow), light);
    return true;
}

bool CastFurnitureShadow(model::CRoomDesign& design, model::CFurniture& piece,
                         const render::CLight* light) {
    return CastShadow(design, piece.GetModelFrame(), piece.GetMesh(), light, piece.ShadowCast);
}

// Calls `visit` for the furniture near each door of the wall: pass one at the opening's centre,
// pass two at its ends. `visit` returns false to end the pass.
template <typename Visit>
void ForFurnitureNearDoors(model::CRoomDesign& design, const CWall& wall, Visit visit) {
    const auto& pieces = design.Furniture().Items();
    for (const auto& door : wall.DoorList()) {
        const rm::Vector3 centre = wall.DoorReferencePoint(*door, CWall::DoorPoint::kCentre);
        const rm::Vector3 left = wall.DoorReferencePoint(*door, CWall::DoorPoint::kLeft);
        const rm::Vector3 right = wall.DoorReferencePoint(*door, CWall::DoorPoint::kRight);
        for (int pass = 0; pass < 2; ++pass) {
            for (const auto& piece : pieces) {
                const rm::Vector3 p = piece->GetPosition();
                const bool near = pass == 0 ? model::IsNear(p, centre)
                                            : model::IsNear(p, left) || model::IsNear(p, right);
                if (near && !visit(*piece)) break;
            }
        }
    }
}

}  // namespace

const render::CLight* LightAtIndex(const render::CLightList& lights, int index) {
    if (index < 1) return nullptr;
    return lights.GetAt(index - 1);
}

int IndexOfLight(const render::CLightList& lights, const render::CLight* light) {
    for (int i = 0; i < lights.Count(); ++i)
        if (lights.GetAt(i) == light) return i + 1;
    return 0;
}

void MakeShadows(model::CRoomDesign& design) {
    const render::CLightList& lights = design.Lights();
    for (const auto& piece : design.Furniture().Items())
        if (piece->Shadow == 1)
            CastFurnitureShadow(design, *piece, LightAtIndex(lights, piece->ShadowLightIndex));
    for (const auto& wall : design.Walls()) {
        if (wall->Shadow != 1) continue;
        const render::CLight* light = LightAtIndex(lights, wall->ShadowLightIndex);
        // Without a light the wall casts nothing, and neither does what stands in its doors.
        if (!CastShadow(design, wall->GetFrame(), wall->GetMeshBuilder(), light, wall->ShadowCast))
            continue;
        ForFurnitureNearDoors(design, *wall, [&](model::CFurniture& piece) {
            if (piece.Shadow == 1) return false;
            if (CastFurnitureShadow(design, piece, light)) piece.Shadow = 1;
            return true;
        });
    }
}

void RemoveShadows(model::CRoomDesign& design) {
    // Furniture first: that also takes away the shadows a wall's door pass made.
    for (const auto& piece : design.Furniture().Items()) {
        piece->ShadowCast.Detach();
        if (piece->Shadow == 1) piece->Shadow = 0;
    }
    for (const auto& wall : design.Walls()) {
        wall->ShadowCast.Detach();
        if (wall->Shadow == 1) wall->Shadow = 0;
    }
}

void UpdateShadowLightIndices(model::CRoomDesign& design) {
    const render::CLightList& lights = design.Lights();
    for (const auto& piece : design.Furniture().Items())
        if (piece->Shadow == 1 && piece->ShadowCast.IsShown())
            piece->ShadowLightIndex = IndexOfLight(lights, piece->ShadowCast.GetLight());
    for (const auto& wall : design.Walls())
        if (wall->Shadow == 1 && wall->ShadowCast.IsShown())
            wall->ShadowLightIndex = IndexOfLight(lights, wall->ShadowCast.GetLight());
}

}  // namespace roamer::app
