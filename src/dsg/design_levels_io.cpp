// The floor and ceiling sections.
#include "dsg/design_file.h"

namespace roamer::dsg {
namespace {

constexpr const char* kFloorProgress = "讀取地板資料...";
constexpr const char* kCeilingProgress = "讀取天花板資料...";
constexpr double kFullScaleVersion = 2.4;
constexpr double kFlagsVersion = 2.431;

}  // namespace

bool CDesignFile::ReadLevelGeometry(std::string_view lineKey, model::CLevelSurface& surface) {
    std::vector<Point2d> line;
    double twoDto3D = 1.0, high = 0.0;
    Vector3f framePos;
    std::int32_t isRefine = 0;
    float refineScale = 0.0f;
    if (!(FindKey(lineKey) && ReadPolyline(line) && FindKey("2Dto3D") && ReadDouble(twoDto3D) &&
          FindKey("High") && ReadDouble(high) && FindKey("ObjFramePos") && ReadVector(framePos) &&
          FindKey("IsRefine") && ReadInt(isRefine) && FindKey("RefineScale") &&
          ReadFloat(refineScale)))
        return false;
    if (GetFileVersion() < kFullScaleVersion) twoDto3D *= 2.0;
    std::vector<model::CPlanPoint> points;
    points.reserve(line.size());
    for (const Point2d& p : line) points.push_back({p.x, p.y});
    surface.SetGeometry(high, {framePos.x, framePos.y, framePos.z},
                        model::CPolyLine(std::move(points)), twoDto3D, isRefine, refineScale);
    return true;
}

std::unique_ptr<model::CFloor> CDesignFile::ReadFloor(model::CRoomDesign& design) {
    if (!FindKey("BEGIN_FLOOR")) return nullptr;
    auto floor = std::make_unique<model::CFloor>(design.D3DRM(), design.RoomFrame());
    if (!ReadLevelGeometry("FloorLine", *floor) || !FindKey("FloorFace")) return nullptr;
    auto face = ReadFaceObj(design.D3DRM(), 1);
    if (!face) return nullptr;
    model::BuildContext context = design.Context(m_host);
    floor->BuildFaces(std::move(face), context);
    if (GetFileVersion() >= kFlagsVersion && !(FindKey("PowerFlag") && ReadDouble(floor->PowerFlag)))
        return nullptr;
    if (!FindKey("END_FLOOR")) return nullptr;
    floor->Show(true);
    return floor;
}

std::unique_ptr<model::CCeiling> CDesignFile::ReadCeiling(model::CRoomDesign& design) {
    if (!FindKey("BEGIN_CEILING")) return nullptr;
    auto ceiling = std::make_unique<model::CCeiling>(design.D3DRM(), design.RoomFrame());
    if (!ReadLevelGeometry("CeilingLine", *ceiling) || !FindKey("CeilingFace")) return nullptr;
    auto face = ReadFaceObj(design.D3DRM(), 1);
    if (!face) return nullptr;
    model::BuildContext context = design.Context(m_host);
    ceiling->BuildFaces(std::move(face), context);
    if (GetFileVersion() >= kFlagsVersion && !(FindKey("Reflect") && ReadInt(ceiling->Reflect)))
        return nullptr;
    if (!FindKey("END_CEILING")) return nullptr;
    ceiling->Show(true);
    return ceiling;
}

bool CDesignFile::ReadFloors(model::CRoomDesign& design) {
    BeginProgress(kFloorProgress);
    std::int32_t count = 0;
    if (!ReadSectionCount("SECTION_FLOOR", count)) return false;
    CountProgress(count);
    for (std::int32_t i = 0; i < count; ++i) {
        auto floor = ReadFloor(design);
        if (!floor) return false;
        design.Floors().push_back(std::move(floor));
        StepProgress();
    }
    if (!FindKey("END_SECTION")) return false;
    EndProgress();
    return true;
}

bool CDesignFile::ReadCeilings(model::CRoomDesign& design) {
    BeginProgress(kCeilingProgress);
    std::int32_t count = 0;
    if (!ReadSectionCount("SECTION_CEILING", count)) return false;
    CountProgress(count);
    for (std::int32_t i = 0; i < count; ++i) {
        auto ceiling = ReadCeiling(design);
        if (!ceiling) return false;
        design.Ceilings().push_back(std::move(ceiling));
        StepProgress();
    }
    if (!FindKey("END_SECTION")) return false;
    EndProgress();
    return true;
}

bool CDesignFile::WriteLevelGeometry(std::string_view lineKey,
                                     const model::CLevelSurface& surface) {
    std::vector<Point2d> line;
    for (const model::CPlanPoint& p : surface.GetLine().Points()) line.push_back({p.x, p.y});
    const rm::Vector3 pos = surface.GetObjFramePos();
    return WriteKey(lineKey) && WritePolyline(line) && WriteKey("2Dto3D") &&
           WriteDouble(surface.Get2Dto3D()) && WriteKey("High") &&
           WriteDouble(surface.GetHigh()) && WriteKey("ObjFramePos") &&
           WriteVector(pos.x, pos.y, pos.z) && WriteKey("IsRefine") &&
           WriteLong(surface.GetIsRefine()) && WriteKey("RefineScale") &&
           WriteFloat(surface.GetRefineScale());
}

bool CDesignFile::WriteFloors(const model::CRoomDesign& design) {
    if (!WriteSectionStart("SECTION_FLOOR", design.Floors().size())) return false;
    for (const auto& floor : design.Floors()) {
        if (!(WriteKey("BEGIN_FLOOR") && WriteLevelGeometry("FloorLine", *floor) &&
              WriteKey("FloorFace") && floor->GetFace() && WriteFaceObj(*floor->GetFace()) &&
              WriteKey("PowerFlag") && WriteDouble(floor->PowerFlag) && WriteKey("END_FLOOR")))
            return false;
    }
    return WriteKey("END_SECTION");
}

bool CDesignFile::WriteCeilings(const model::CRoomDesign& design) {
    if (!WriteSectionStart("SECTION_CEILING", design.Ceilings().size())) return false;
    for (const auto& ceiling : design.Ceilings()) {
        if (!(WriteKey("BEGIN_CEILING") && WriteLevelGeometry("CeilingLine", *ceiling) &&
              WriteKey("CeilingFace") && ceiling->GetFace() && WriteFaceObj(*ceiling->GetFace()) &&
              WriteKey("Reflect") && WriteLong(ceiling->Reflect) && WriteKey("END_CEILING")))
            return false;
    }
    return WriteKey("END_SECTION");
}

}  // namespace roamer::dsg
