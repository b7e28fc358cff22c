// The wall section: walls with their doors, wall faces and surface lists.
#include "dsg/design_file.h"

namespace roamer::dsg {
namespace {

constexpr const char* kProgressText = "讀取牆資料...";
constexpr double kFullScaleVersion = 2.4;
constexpr double kDownFacesVersion = 2.32;
constexpr double kDoorFacesVersion = 2.411;
constexpr double kFlagsVersion = 2.431;

}  // namespace

bool CDesignFile::ReadUserColour(model::UserColour& c) {
    return FindKey("UserColorR") && ReadInt(c.red) && FindKey("UserColorG") && ReadInt(c.green) &&
           FindKey("UserColorB") && ReadInt(c.blue) && FindKey("UserColorA") && ReadInt(c.alpha);
}

bool CDesignFile::ReadUserSize(double& width, double& depth, double& height) {
    return FindKey("UserWidth") && ReadDouble(width) && FindKey("UserDepth") &&
           ReadDouble(depth) && FindKey("UserHeight") && ReadDouble(height);
}

bool CDesignFile::WriteUserColour(const model::UserColour& c) {
    return WriteKey("UserColorR") && WriteLong(c.red) && WriteKey("UserColorG") &&
           WriteLong(c.green) && WriteKey("UserColorB") && WriteLong(c.blue) &&
           WriteKey("UserColorA") && WriteLong(c.alpha);
}

bool CDesignFile::WriteUserSize(double width, double depth, double height) {
    return WriteKey("UserWidth") && WriteDouble(width) && WriteKey("UserDepth") &&
           WriteDouble(depth) && WriteKey("UserHeight") && WriteDouble(height);
}

std::unique_ptr<model::CDoor> CDesignFile::ReadDoor(rm::RetainedMode& d3drm) {
    auto door = std::make_unique<model::CDoor>();
    if (!(FindKey("BEGIN_DOOR") && FindKey("FrontFaceIndex") && ReadInt(door->FrontFaceIndex) &&
          FindKey("BackFaceIndex") && ReadInt(door->BackFaceIndex) && FindKey("FaceType") &&
          ReadInt(door->FaceType) && FindKey("Top") && ReadDouble(door->Top) &&
          FindKey("Bottom") && ReadDouble(door->Bottom) && FindKey("Left") &&
          ReadDouble(door->Left) && FindKey("Right") && ReadDouble(door->Right) &&
          FindKey("Depth") && ReadDouble(door->Depth) && FindKey("DoorSideName") &&
          ReadString(door->DoorSideName)))
        return nullptr;
    if (GetFileVersion() < kDoorFacesVersion) {
        door->IsShowFace = 0;
    } else {
        if (!(FindKey("IsShowFace") && ReadInt(door->IsShowFace))) return nullptr;
        if (door->IsShowFace != 0) {
            std::vector<std::unique_ptr<model::CFaceObj>> faces;
            if (!ReadFaceList("DoorFaceList", "BEGIN_DOORFACELIST", "END_DOORFACELIST", d3drm,
                              faces))
                return nullptr;
            for (auto& face : faces) door->AddDoorFace(std::move(face));
        }
    }
    if (!FindKey("END_DOOR")) return nullptr;
    return door;
}

std::unique_ptr<model::CWallFace> CDesignFile::ReadWallFace(rm::RetainedMode& d3drm) {
    auto wallFace = std::make_unique<model::CWallFace>();
    std::vector<Vector3f> vertices;
    std::vector<double> divideLine;
    if (!(FindKey("BEGIN_WALLFACE") && FindKey("FaceType") && ReadInt(wallFace->FaceType) &&
          FindKey("VectorList") && ReadVectorList(vertices) && FindKey("IsRefine") &&
          ReadInt(wallFace->IsRefine) && FindKey("RefineScale") &&
          ReadFloat(wallFace->RefineScale) && FindKey("DivideLine") &&
          ReadDoubleArray(divideLine)))
        return nullptr;
    for (const Vector3f& v : vertices) wallFace->VectorList.push_back({v.x, v.y, v.z});
    wallFace->DivideLine = model::CDoubleArray(std::move(divideLine));
    std::vector<std::unique_ptr<model::CFaceObj>> faces;
    if (!ReadFaceList("FaceList", "BEGIN_FACELIST", "END_FACELIST", d3drm, faces)) return nullptr;
    for (auto& face : faces) wallFace->AddFace(std::move(face));
    if (!FindKey("END_WALLFACE")) return nullptr;
    return wallFace;
}

std::unique_ptr<model::CWall> CDesignFile::ReadWall(model::CRoomDesign& design) {
    rm::RetainedMode& d3drm = design.D3DRM();
    if (!FindKey("BEGIN_WALL")) return nullptr;
    auto wall = std::make_unique<model::CWall>(d3drm, design.RoomFrame());
    std::vector<Point2d> line;
    double twoDto3D = 1.0, top = 0.0, bottom = 0.0;
    Vector3f framePos;
    if (!(FindKey("WallLine") && ReadPolyline(line) && FindKey("2Dto3D") &&
          ReadDouble(twoDto3D) && FindKey("Top") && ReadDouble(top) && FindKey("Bottom") &&
          ReadDouble(bottom) && FindKey("ObjFramePos") && ReadVector(framePos)))
        return nullptr;
    if (GetFileVersion() < kFullScaleVersion) twoDto3D *= 2.0;
    std::vector<model::CPlanPoint> points;
    points.reserve(line.size());
    for (const Point2d& p : line) points.push_back({p.x, p.y});
    wall->SetGeometry(top, bottom, {framePos.x, framePos.y, framePos.z},
                      model::CPolyLine(std::move(points)), twoDto3D);

    std::int32_t count = 0;
    if (!(FindKey("DoorList") && FindKey("BEGIN_DOORLIST") && FindKey("Count") && ReadInt(count)))
        return nullptr;
    for (std::int32_t i = 0; i < count; ++i) {
        auto door = ReadDoor(d3drm);
        if (!door) return nullptr;
        wall->AddDoor(std::move(door));
    }
    if (!FindKey("END_DOORLIST")) return nullptr;
    if (!(FindKey("WallFaceList") && FindKey("BEGIN_WALLFACELIST") && FindKey("Count") &&
          ReadInt(count)))
        return nullptr;
    for (std::int32_t i = 0; i < count; ++i) {
        auto wallFace = ReadWallFace(d3drm);
        if (!wallFace) return nullptr;
        wall->AddWallFace(std::move(wallFace));
    }
    if (!FindKey("END_WALLFACELIST")) return nullptr;
    std::vector<std::unique_ptr<model::CFaceObj>> faces;
    if (!ReadFaceList("UpWallFaceList", "BEGIN_UPWALLFACELIST", "END_UPWALLFACELIST", d3drm,
                      faces))
        return nullptr;
    for (auto& face : faces) wall->AddUpWallFace(std::move(face));
    if (GetFileVersion() >= kDownFacesVersion) {
        faces.clear();
        if (!ReadFaceList("DownWallFaceList", "BEGIN_DOWNWALLFACELIST", "END_DOWNWALLFACELIST",
                          d3drm, faces))
            return nullptr;
        for (auto& face : faces) wall->AddDownWallFace(std::move(face));
    } else {
        wall->BuildDownFaceFromLine();
    }
    model::BuildContext context = design.Context(m_host);
    wall->BuildFaces(context);
    if (GetFileVersion() >= kFlagsVersion) {
        if (!(FindKey("Reflect") && ReadInt(wall->Reflect) && FindKey("Shadow") &&
              ReadInt(wall->Shadow) && FindKey("ShadowLightIndex") &&
              ReadInt(wall->ShadowLightIndex)))
            return nullptr;
    }
    if (GetFileVersion() >= kUserKeysVersion && !ReadUserColour(wall->UserColor)) return nullptr;
    if (!FindKey("END_WALL")) return nullptr;
    wall->ComputeDoorBoxes();
    wall->Show(true);
    return wall;
}

bool CDesignFile::ReadWalls(model::CRoomDesign& design) {
    BeginProgress(kProgressText);
    std::int32_t count = 0;
    if (!ReadSectionCount("SECTION_WALL", count)) return false;
    CountProgress(count);
    for (std::int32_t i = 0; i < count; ++i) {
        auto wall = ReadWall(design);
        if (!wall) return false;
        if (GetFileVersion() >= kUserKeysVersion && wall->UserColor.IsSet())
            wall->ApplyUserColour(wall->UserColor);
        design.Walls().push_back(std::move(wall));
        StepProgress();
    }
    if (!FindKey("END_SECTION")) return false;
    EndProgress();
    return true;
}

bool CDesignFile::WriteDoor(const model::CDoor& door) {
    if (!(WriteKey("BEGIN_DOOR") && WriteKey("FrontFaceIndex") && WriteLong(door.FrontFaceIndex) &&
          WriteKey("BackFaceIndex") && WriteLong(door.BackFaceIndex) && WriteKey("FaceType") &&
          WriteLong(door.FaceType) && WriteKey("Top") && WriteDouble(door.Top) &&
          WriteKey("Bottom") && WriteDouble(door.Bottom) && WriteKey("Left") &&
          WriteDouble(door.Left) && WriteKey("Right") && WriteDouble(door.Right) &&
          WriteKey("Depth") && WriteDouble(door.Depth) && WriteKey("DoorSideName") &&
          WriteString(door.DoorSideName) && WriteKey("IsShowFace") && WriteLong(door.IsShowFace)))
        return false;
    if (door.IsShowFace != 0 && !WriteFaceList("DoorFaceList", "BEGIN_DOORFACELIST",
                                               "END_DOORFACELIST", door.DoorFaceList()))
        return false;
    return WriteKey("END_DOOR");
}

bool CDesignFile::WriteWallFace(const model::CWallFace& face) {
    std::vector<Vector3f> vertices;
    for (const rm::Vector3& v : face.VectorList) vertices.push_back({v.x, v.y, v.z});
    return WriteKey("BEGIN_WALLFACE") && WriteKey("FaceType") && WriteLong(face.FaceType) &&
           WriteKey("VectorList") && WriteVectorList(vertices) && WriteKey("IsRefine") &&
           WriteLong(face.IsRefine) && WriteKey("RefineScale") && WriteFloat(face.RefineScale) &&
           WriteKey("DivideLine") && WriteDoubleArray(face.DivideLine.Values()) &&
           WriteFaceList("FaceList", "BEGIN_FACELIST", "END_FACELIST", face.FaceList()) &&
           WriteKey("END_WALLFACE");
}

bool CDesignFile::WriteWall(const model::CWall& wall) {
    std::vector<Point2d> line;
    for (const model::CPlanPoint& p : wall.GetWallLine().Points()) line.push_back({p.x, p.y});
    const rm::Vector3 pos = wall.GetObjFramePos();
    if (!(WriteKey("BEGIN_WALL") && WriteKey("WallLine") && WritePolyline(line) &&
          WriteKey("2Dto3D") && WriteDouble(wall.Get2Dto3D()) && WriteKey("Top") &&
          WriteDouble(wall.GetTop()) && WriteKey("Bottom") && WriteDouble(wall.GetBottom()) &&
          WriteKey("ObjFramePos") && WriteVector(pos.x, pos.y, pos.z)))
        return false;
    if (!(WriteKey("DoorList") && WriteKey("BEGIN_DOORLIST") && WriteKey("Count") &&
          WriteLong(static_cast<std::int32_t>(wall.DoorList().size()))))
        return false;
    for (const auto& door : wall.DoorList())
        if (!WriteDoor(*door)) return false;
    if (!(WriteKey("END_DOORLIST") && WriteKey("WallFaceList") &&
          WriteKey("BEGIN_WALLFACELIST") && WriteKey("Count") &&
          WriteLong(static_cast<std::int32_t>(wall.WallFaceList().size()))))
        return false;
    for (const auto& face : wall.WallFaceList())
        if (!WriteWallFace(*face)) return false;
    return WriteKey("END_WALLFACELIST") &&
           WriteFaceList("UpWallFaceList", "BEGIN_UPWALLFACELIST", "END_UPWALLFACELIST",
                         wall.UpWallFaceList()) &&
           WriteFaceList("DownWallFaceList", "BEGIN_DOWNWALLFACELIST", "END_DOWNWALLFACELIST",
                         wall.DownWallFaceList()) &&
           WriteKey("Reflect") && WriteLong(wall.Reflect) && WriteKey("Shadow") &&
           WriteLong(wall.Shadow) && WriteKey("ShadowLightIndex") &&
           WriteLong(wall.ShadowLightIndex) &&
           (!WritesUserKeys() || WriteUserColour(wall.UserColor)) && WriteKey("END_WALL");
}

bool CDesignFile::WriteWalls(const model::CRoomDesign& design) {
    if (!WriteSectionStart("SECTION_WALL", design.Walls().size())) return false;
    for (const auto& wall : design.Walls())
        if (!WriteWall(*wall)) return false;
    return WriteKey("END_SECTION");
}

}  // namespace roamer::dsg
