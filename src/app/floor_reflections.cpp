// Floor reflections: each reflecting object is shown a second time, mirrored in the floor plane,
// which looks like a polished floor when the floor is half transparent.
#include "app/floor_reflections.h"

namespace roamer::app {
namespace {

using model::CFurniture;
using model::CWall;

constexpr const char* kMissingTwin = "組態檔housing.ini不存在，請離開後確定再重開！";

// Makes the piece's twin unless it has one already, and places it. False when there is nothing
// to mirror or no frame to show it in.
bool MakeFurnitureTwin(model::CRoomDesign& design, CFurniture& piece) {
    if (piece.GetTwin() == nullptr) {
        if (!piece.GetMesh()) return false;
        auto twin = std::make_unique<CFurniture>(design.D3DRM(), design.RoomFrame());
        if (twin->GetModelFrame() == nullptr) return false;
        twin->SetMirrorModel(model::MirrorMesh(*piece.GetMesh()), piece.GetKey());
        piece.SetTwin(std::move(twin));
    }
    FollowTwin(piece);
    return true;
}

bool MakePlantTwin(model::CRoomDesign& design, model::CPlant& plant) {
    if (!plant.GetMesh()) return false;
    auto twin = std::make_unique<model::CPlant>(design.D3DRM(), design.RoomFrame());
    if (twin->GetFrame() == nullptr) return false;
    twin->TakePicture(plant.GetKey(), plant.GetPictureWidth(), plant.GetPictureHeight(),
                      model::MirrorMesh(*plant.GetMesh()));
    twin->Attach();
    twin->SetPosition(model::MirrorPosition(plant.GetPosition()));
    twin->SetFaceAngleXZ(plant.GetFaceAngleXZ());
    plant.SetTwin(std::move(twin));
    return true;
}

bool MakeLightTwin(model::CRoomDesign& design, const render::CLight& light) {
    // A light the platform refused gives no light, and so no reflected light either.
    if (!light.GetRenderLight()) return false;
    auto twin = design.Lights().CopyToScene(light);
    if (!twin || !twin->GetRenderLight() || twin->GetLightFrame() == nullptr) return false;
    const rm::Vector3 p = model::MirrorPosition(light.GetPosition());
    twin->SetPosition(p.x, p.y, p.z);
    twin->SetAngleXZ(light.GetAngleXZ());
    twin->SetAngleYZ(-light.GetAngleYZ());
    design.SetLightTwin(&light, std::move(twin));
    return true;
}

// The twin of a wall or a ceiling: its mesh mirrored, in a frame at the mirrored position.
std::unique_ptr<model::CMirrorFrame> MakeSurfaceTwin(model::CRoomDesign& design,
                                                     const rm::Frame* frame,
                                                     const rm::MeshBuilder* mesh) {
    if (frame == nullptr || mesh == nullptr) return nullptr;
    auto twin = std::make_unique<model::CMirrorFrame>(design.D3DRM(), design.RoomFrame(),
                                                      model::MirrorMesh(*mesh));
    if (twin->GetFrame() == nullptr) return nullptr;
    rm::Vector3 position;
    frame->GetPosition(design.RoomFrame(), &position);
    const rm::Vector3 p = model::MirrorPosition(position);
    twin->GetFrame()->SetPosition(design.RoomFrame(), p.x, p.y, p.z);
    return twin;
}

// Furniture standing in a door opening of a reflecting wall is seen through the opening next
// to the wall's reflection, so it is reflected too. Pass one looks at the opening's centre,
// pass two at its two ends; a pass stops at the first piece near the door that reflects already.
void ReflectFurnitureNearDoors(model::CRoomDesign& design, const CWall& wall, Host& host) {
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
                if (!near) continue;
                if (piece->Reflect == 1) break;
                if (!MakeFurnitureTwin(design, *piece)) {
                    host.ShowMessage(kMissingTwin);
                    continue;
                }
                piece->Reflect = 1;
            }
        }
    }
}

}  // namespace

void FollowTwin(CFurniture& piece) {
    CFurniture* twin = piece.GetTwin();
    if (twin == nullptr) return;
    twin->SetPosition(model::MirrorPosition(piece.GetPosition()));
    twin->SetAngleXZ(piece.GetAngleXZ());
    twin->SetAngleYZ(-piece.GetAngleYZ());
}

void MakeReflections(model::CRoomDesign& design, Host& host) {
    const auto report = [&host](bool made) {
        if (!made) host.ShowMessage(kMissingTwin);
    };
    for (const auto& piece : design.Furniture().Items())
        if (piece->Reflect == 1) report(MakeFurnitureTwin(design, *piece));
    for (const auto& plant : design.Plants().Items())
        if (plant->Reflect == 1) report(MakePlantTwin(design, *plant));
    for (int i = 0; i < design.Lights().Count(); ++i) {
        const render::CLight* light = design.Lights().GetAt(i);
        if (design.GetLightReflect(light) == 1) report(MakeLightTwin(design, *light));
    }
    for (const auto& wall : design.Walls()) {
        if (wall->Reflect != 1) continue;
        ReflectFurnitureNearDoors(design, *wall, host);
        auto twin = MakeSurfaceTwin(design, wall->GetFrame(), wall->GetMeshBuilder().get());
        report(twin != nullptr);
        wall->SetTwin(std::move(twin));
    }
    for (const auto& ceiling : design.Ceilings()) {
        if (ceiling->Reflect != 1) continue;
        auto twin = MakeSurfaceTwin(design, ceiling->GetFrame(), ceiling->GetMeshBuilder().get());
        report(twin != nullptr);
        ceiling->SetTwin(std::move(twin));
    }
}

void RemoveReflections(model::CRoomDesign& design) {
    // Furniture first: that also takes away every twin a wall's door pass made.
    for (const auto& piece : design.Furniture().Items()) {
        if (piece->Reflect == 1) piece->Reflect = 0;
        piece->SetTwin(nullptr);
    }
    for (const auto& plant : design.Plants().Items()) {
        if (plant->Reflect == 1) plant->Reflect = 0;
        plant->SetTwin(nullptr);
    }
    for (int i = 0; i < design.Lights().Count(); ++i) {
        const render::CLight* light = design.Lights().GetAt(i);
        if (design.GetLightReflect(light) == 1) design.SetLightReflect(light, 0);
        design.RemoveLightTwin(light);
    }
    for (const auto& wall : design.Walls()) {
        if (wall->Reflect == 1) wall->Reflect = 0;
        wall->SetTwin(nullptr);
    }
    for (const auto& ceiling : design.Ceilings()) {
        if (ceiling->Reflect == 1) ceiling->Reflect = 0;
        ceiling->SetTwin(nullptr);
    }
}

}  // namespace roamer::app
