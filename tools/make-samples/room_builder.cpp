#include "make-samples/room_builder.h"

#include "platform/text/cp950.h"

namespace roamer::samples {
namespace {

using V = rm::Vector3;

std::string Big5(const std::string& utf8) { return text::Utf8ToCp950(utf8).value_or(utf8); }

// Puts the corners in the order that makes `outward` the front side.
std::vector<V> Facing(std::vector<V> corners, V outward) {
    const V n = rm::CrossProduct(corners[1] - corners[0], corners[2] - corners[0]);
    if (n.x * outward.x + n.y * outward.y + n.z * outward.z < 0.0f)
        return {corners.rbegin(), corners.rend()};
    return corners;
}

}  // namespace

RoomBuilder::RoomBuilder(const std::string& folder)
    : m_scene(m_d3drm.CreateScene()),
      m_design(std::make_unique<model::CRoomDesign>(m_d3drm, m_scene.get(), m_scene.get(),
                                                    folder, folder)) {}

std::unique_ptr<model::CFaceObj> RoomBuilder::Surface(const std::vector<V>& outline,
                                                      const std::vector<std::vector<V>>& parts,
                                                      V up, V into, const Finish& finish,
                                                      float refine) {
    auto group = std::make_unique<model::CFaceObj>(m_d3drm, model::CFaceObj::kGroup);
    group->SetVertices(outline);
    group->SetIsRefine(refine > 0.0f ? 1 : 0);
    group->SetRefineScale(refine > 0.0f ? refine : 25.0f);
    group->SetYNormal(up);
    group->SetZNormal(into);
    for (const auto& part : parts) {
        auto polygon = std::make_unique<model::CFaceObj>(m_d3drm, model::CFaceObj::kPolygon);
        polygon->SetVertices(part);
        polygon->SetIsRefine(group->GetIsRefine());
        polygon->SetRefineScale(group->GetRefineScale());
        polygon->SetYNormal(up);
        polygon->SetZNormal(into);
        group->AddSubFace(std::move(polygon));
    }
    group->SetOrigin(outline.front());
    group->SetOffset(0.0f, 0.0f);
    // One repeat of the picture spans half of the scale.
    group->SetScale(2.0f * finish.repeat, 2.0f * finish.repeat);
    group->SetColor(finish.colour);
    model::TextureKey key;
    if (finish.textureId > 0) {
        key.TextureID = finish.textureId;
        key.TextureTypeID = 1;
        key.VenderID = 1;
        key.TextureName = Big5(finish.name);
        key.TextureFile = finish.file;
    }
    group->SetTextureKey(key);
    return group;
}

model::CWall& RoomBuilder::Wall(bool alongX, float at, float from, float to, float thickness,
                                float height, const Finish& front, const Finish& back,
                                std::vector<Opening> openings) {
    // Wall-local coordinates: a along the wall from its start, y up, t across it.
    const auto P = [&](float a, float y, float t) {
        return alongX ? V{a - from, y, t} : V{t, y, a - from};
    };
    const V across = alongX ? V{0, 0, 1} : V{1, 0, 0};
    const V along = alongX ? V{1, 0, 0} : V{0, 0, 1};
    const V up{0, 1, 0};
    const auto rect = [&](float a0, float a1, float y0, float y1, float t, V outward) {
        return Facing({P(a0, y0, t), P(a0, y1, t), P(a1, y1, t), P(a1, y0, t)}, outward);
    };
    auto wall = std::make_unique<model::CWall>(m_d3drm, m_design->RoomFrame());
    std::vector<model::CPlanPoint> line;
    if (alongX)
        line = {{from, at}, {to, at}, {to, at + thickness}, {from, at + thickness}};
    else
        line = {{at, from}, {at + thickness, from}, {at + thickness, to}, {at, to}};
    wall->SetGeometry(height, 0.0, alongX ? V{from, 0, at} : V{at, 0, from},
                      model::CPolyLine(line), 1.0);

    // The two sides, cut around the openings.
    std::vector<double> divide;
    for (int side = 0; side < 2; ++side) {
        const float t = side == 0 ? 0.0f : thickness;
        const V outward = side == 0 ? -1.0f * across : across;
        std::vector<std::vector<V>> parts;
        float a = from;
        for (const Opening& o : openings) {
            if (o.left > a) parts.push_back(rect(a, o.left, 0, height, t, outward));
            parts.push_back(rect(o.left, o.right, o.top, height, t, outward));
            a = o.right;
            if (side == 0) divide.insert(divide.end(), {o.left - from, o.right - from});
        }
        if (a < to) parts.push_back(rect(a, to, 0, height, t, outward));
        auto face = std::make_unique<model::CWallFace>();
        face->FaceType = side + 1;
        face->VectorList = rect(from, to, 0, height, t, outward);
        face->IsRefine = 1;
        face->RefineScale = 50.0f;
        face->DivideLine = model::CDoubleArray(divide);
        face->AddFace(Surface(face->VectorList, parts, up, -1.0f * outward,
                              side == 0 ? front : back, 50.0f));
        wall->AddWallFace(std::move(face));
    }
    // The top and the two ends, in the colour of plaster.
    const Finish plain{-1, "", "", 0xFFE8E4DC, 100.0f};
    const auto top = Facing({P(from, height, 0), P(from, height, thickness),
                             P(to, height, thickness), P(to, height, 0)}, up);
    wall->AddUpWallFace(Surface(top, {top}, along, V{0, -1, 0}, plain, 0.0f));
    for (int end = 0; end < 2; ++end) {
        const float a = end == 0 ? from : to;
        const V outward = end == 0 ? -1.0f * along : along;
        const auto cap = Facing({P(a, 0, 0), P(a, height, 0), P(a, height, thickness),
                                 P(a, 0, thickness)}, outward);
        wall->AddUpWallFace(Surface(cap, {cap}, up, -1.0f * outward, plain, 0.0f));
    }
    // Openings with their reveals: the lintel's underside and the two jambs.
    for (const Opening& o : openings) {
        auto door = std::make_unique<model::CDoor>();
        door->FaceType = alongX ? 2 : 1;
        door->FrontFaceIndex = 0;
        door->BackFaceIndex = 1;
        door->Top = o.top;
        door->Bottom = 0.0;
        door->Left = o.left - from;
        door->Right = o.right - from;
        door->Depth = thickness;
        door->DoorSideName = Big5("門洞");
        const auto soffit = Facing({P(o.left, o.top, 0), P(o.left, o.top, thickness),
                                    P(o.right, o.top, thickness), P(o.right, o.top, 0)},
                                   V{0, -1, 0});
        door->AddDoorFace(Surface(soffit, {soffit}, along, up, plain, 0.0f));
        for (int side = 0; side < 2; ++side) {
            const float a = side == 0 ? o.left : o.right;
            const V outward = side == 0 ? along : -1.0f * along;
            const auto jamb = Facing({P(a, 0, 0), P(a, o.top, 0), P(a, o.top, thickness),
                                      P(a, 0, thickness)}, outward);
            door->AddDoorFace(Surface(jamb, {jamb}, up, -1.0f * outward, plain, 0.0f));
        }
        wall->AddDoor(std::move(door));
    }
    model::BuildContext context = m_design->Context(m_host);
    wall->BuildFaces(context);
    wall->ComputeDoorBoxes();
    wall->Show(true);
    m_design->Walls().push_back(std::move(wall));
    return *m_design->Walls().back();
}

model::CWall& RoomBuilder::WallAlongX(float z0, float from, float to, float thickness,
                                      float height, const Finish& front, const Finish& back,
                                      std::vector<Opening> openings) {
    return Wall(true, z0, from, to, thickness, height, front, back, std::move(openings));
}

model::CWall& RoomBuilder::WallAlongZ(float x0, float from, float to, float thickness,
                                      float height, const Finish& front, const Finish& back,
                                      std::vector<Opening> openings) {
    return Wall(false, x0, from, to, thickness, height, front, back, std::move(openings));
}

model::CFloor& RoomBuilder::Floor(float x0, float z0, float x1, float z1, const Finish& finish,
                                  double powerFlag) {
    auto floor = std::make_unique<model::CFloor>(m_d3drm, m_design->RoomFrame());
    floor->SetGeometry(0.0, {x0, 0, z0}, model::CPolyLine({{x0, z0}, {x1, z0}, {x1, z1}, {x0, z1}}),
                       1.0, 1, 50.0f);
    const float w = x1 - x0, d = z1 - z0;
    const auto outline = Facing({{0, 0, 0}, {0, 0, d}, {w, 0, d}, {w, 0, 0}}, V{0, 1, 0});
    model::BuildContext context = m_design->Context(m_host);
    floor->BuildFaces(Surface(outline, {outline}, V{0, 0, 1}, V{0, -1, 0}, finish, 50.0f), context);
    floor->PowerFlag = powerFlag;
    floor->Show(true);
    m_design->Floors().push_back(std::move(floor));
    return *m_design->Floors().back();
}

model::CCeiling& RoomBuilder::Ceiling(float x0, float z0, float x1, float z1, float height,
                                      const Finish& finish) {
    auto ceiling = std::make_unique<model::CCeiling>(m_d3drm, m_design->RoomFrame());
    ceiling->SetGeometry(height, {x0, height, z0},
                         model::CPolyLine({{x0, z0}, {x1, z0}, {x1, z1}, {x0, z1}}), 1.0, 1, 50.0f);
    const float w = x1 - x0, d = z1 - z0;
    const auto outline = Facing({{0, 0, 0}, {0, 0, d}, {w, 0, d}, {w, 0, 0}}, V{0, -1, 0});
    model::BuildContext context = m_design->Context(m_host);
    ceiling->BuildFaces(Surface(outline, {outline}, V{0, 0, 1}, V{0, 1, 0}, finish, 50.0f), context);
    ceiling->Show(true);
    m_design->Ceilings().push_back(std::move(ceiling));
    return *m_design->Ceilings().back();
}

model::CFurniture* RoomBuilder::Furniture(int id, int typeId, const std::string& name,
                                          const std::string& file, rm::Vector3 position,
                                          double angle) {
    model::FurnitureKey key;
    key.FurnitureID = id;
    key.FurnitureTypeID = typeId;
    key.VenderID = 1;
    key.FurnitureName = Big5(name);
    key.FurnitureFile = file;
    key.SerialNo = "RM-" + std::to_string(id);
    model::CFurniture* piece = nullptr;
    if (m_design->Furniture().Load(key, &piece) != 0 || piece == nullptr) return nullptr;
    piece->SetPosition(position);
    piece->SetAngleXZ(angle);
    piece->SetAngleYZ(0.0);
    return piece;
}

render::CLight* RoomBuilder::Light(std::int32_t type, rm::Color colour, rm::Vector3 position,
                                   double angleXZ, double angleYZ) {
    render::CLight* light = m_design->Lights().AddLight(m_design->RoomFrame(), type, colour);
    light->SetPosition(position.x, position.y, position.z);
    if (type >= 2) {
        light->SetAngleXZ(angleXZ);
        light->SetAngleYZ(angleYZ);
    }
    if (type == 2) {
        light->SetUmbra(0.7f);
        light->SetPenumbra(1.1f);
    }
    m_design->SetLightReflect(light, 0);
    return light;
}

model::CPlant* RoomBuilder::Plant(int id, const std::string& name, const std::string& file,
                                  rm::Vector3 position, double angle) {
    model::PlantKey key;
    key.PlantID = id;
    key.PlantTypeID = 1;
    key.PlantName = Big5(name);
    key.PlantFile = file;
    model::CPlant* plant = nullptr;
    if (m_design->Plants().Load(key, m_host, &plant) != 0 || plant == nullptr) return nullptr;
    plant->SetPosition(position);
    plant->SetFaceAngleXZ(angle);
    return plant;
}

}  // namespace roamer::samples
