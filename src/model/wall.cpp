#include "model/wall.h"

#include <cmath>

namespace roamer::model {
namespace {

template <typename T>
T* At(const std::vector<std::unique_ptr<T>>& list, int index) {
    if (index < 0 || index >= static_cast<int>(list.size())) return nullptr;
    return list[static_cast<std::size_t>(index)].get();
}

template <typename T>
int Append(std::vector<std::unique_ptr<T>>& list, std::unique_ptr<T> item) {
    if (!item) return -5002;
    list.push_back(std::move(item));
    return 0;
}

// Truncation toward zero of a coordinate, kept in double so that no value overflows.
double Whole(float v) { return std::trunc(static_cast<double>(v)); }

}  // namespace

CWall::CWall(rm::RetainedMode& d3drm, rm::Frame* parentFrame)
    : m_parentFrame(parentFrame), m_d3drm(d3drm) {
    d3drm.CreateFrame(parentFrame, &m_frame);
    m_mesh = d3drm.CreateMeshBuilder();
    m_mesh->SetPerspective(true);
}

CWall::~CWall() {
    if (m_frame && m_parentFrame) m_parentFrame->DeleteChild(m_frame);
}

void CWall::SetGeometry(double top, double bottom, rm::Vector3 objFramePos, CPolyLine wallLine,
                        double twoDto3D) {
    m_top = top;
    m_bottom = bottom;
    m_objFramePos = objFramePos;
    m_wallLine = std::move(wallLine);
    m_2Dto3D = twoDto3D;
    if (m_frame) m_frame->SetPosition(m_parentFrame, objFramePos.x, objFramePos.y, objFramePos.z);
}

int CWall::AddDoor(std::unique_ptr<CDoor> door) { return Append(m_doors, std::move(door)); }
int CWall::AddWallFace(std::unique_ptr<CWallFace> face) { return Append(m_wallFaces, std::move(face)); }
int CWall::AddUpWallFace(std::unique_ptr<CFaceObj> face) { return Append(m_upFaces, std::move(face)); }
int CWall::AddDownWallFace(std::unique_ptr<CFaceObj> face) { return Append(m_downFaces, std::move(face)); }
CDoor* CWall::GetDoor(int index) const { return At(m_doors, index); }
CWallFace* CWall::GetWallFace(int index) const { return At(m_wallFaces, index); }
CFaceObj* CWall::GetUpWallFace(int index) const { return At(m_upFaces, index); }
CFaceObj* CWall::GetDownWallFace(int index) const { return At(m_downFaces, index); }

void CWall::BuildDownFaceFromLine() {
    const std::vector<CPlanPoint>& points = m_wallLine.Points();
    if (points.empty()) return;
    const std::size_t n = points.size();
    std::vector<rm::Vector3> vertices(n);
    for (std::size_t k = 0; k < n; ++k) {
        const CPlanPoint& p = points[k];
        vertices[n - 1 - k] = {
            static_cast<float>(p.x / m_2Dto3D - static_cast<double>(m_objFramePos.x)),
            static_cast<float>(m_bottom - static_cast<double>(m_objFramePos.y)),
            static_cast<float>(p.y / m_2Dto3D - static_cast<double>(m_objFramePos.z))};
    }
    auto group = std::make_unique<CFaceObj>(m_d3drm, CFaceObj::kGroup);
    auto polygon = std::make_unique<CFaceObj>(m_d3drm, CFaceObj::kPolygon);
    for (CFaceObj* face : {group.get(), polygon.get()}) {
        face->SetVertices(vertices);
        face->SetYNormal({0.0f, 0.0f, -1.0f});
        face->SetZNormal({0.0f, 1.0f, 0.0f});
    }
    group->AddSubFace(std::move(polygon));
    group->SetOrigin(vertices.front());
    group->SetOffset(0.0f, 0.0f);
    group->SetScale(30.0f, 30.0f);
    group->SetColor(0xFF404040u);
    m_downFaces.push_back(std::move(group));
}

void CWall::BuildFaces(BuildContext& context) {
    std::vector<std::shared_ptr<rm::Face>> faces;
    for (const auto& wallFace : m_wallFaces)
        for (const auto& group : wallFace->FaceList())
            BuildSurface(*group, wallFace->IsRefine != 0, wallFace->RefineScale, m_frame, context,
                         faces);
    const auto buildOwn = [&](const std::vector<std::unique_ptr<CFaceObj>>& groups) {
        for (const auto& group : groups)
            BuildSurface(*group, group->GetIsRefine() != 0, group->GetRefineScale(), m_frame,
                         context, faces);
    };
    buildOwn(m_upFaces);
    buildOwn(m_downFaces);
    for (const auto& door : m_doors) buildOwn(door->DoorFaceList());
    for (const auto& face : faces) m_mesh->AddFace(face);
}

bool CWall::RunsTowardsPlusX() const {
    const auto& points = m_wallLine.Points();
    if (points.empty()) return true;
    for (const CPlanPoint& p : points)
        if (p.x < points.front().x) return false;
    return true;
}

bool CWall::RunsTowardsMinusY() const {
    const auto& points = m_wallLine.Points();
    if (points.empty()) return true;
    for (const CPlanPoint& p : points)
        if (p.y > points.front().y) return false;
    return true;
}

void CWall::ComputeDoorBoxes() {
    const double x = m_objFramePos.x, y = m_objFramePos.y, z = m_objFramePos.z;
    const bool plusX = RunsTowardsPlusX();
    const bool minusY = RunsTowardsMinusY();
    for (const auto& door : m_doors) {
        DoorBox& box = door->Box;
        const double d = door->Depth;
        const auto acrossZ = [&] {
            if (minusY) {
                box.ZMin = z - d;
                box.ZMax = z;
            } else {
                box.ZMin = z;
                box.ZMax = z + d;
            }
        };
        const auto acrossX = [&] {
            if (plusX) {
                box.XMin = x;
                box.XMax = x + d;
            } else {
                box.XMin = x - d;
                box.XMax = x;
            }
        };
        switch (door->FaceType) {
            case 1:
                // Across the wall by the way the line runs, as for the opposite face type.
                acrossX();
                box.ZMin = z + door->Left;
                box.ZMax = z + door->Right;
                break;
            case 2:
                box.XMin = x + door->Left;
                box.XMax = x + door->Right;
                acrossZ();
                break;
            case 3:
                acrossX();
                box.ZMin = z + door->Right;
                box.ZMax = z + door->Left;
                break;
            case 4:
                box.XMin = x + door->Right;
                box.XMax = x + door->Left;
                acrossZ();
                break;
            default:
                continue;
        }
        box.YMin = y + door->Bottom;
        box.YMax = y + door->Top;
    }
}

rm::Vector3 CWall::DoorReferencePoint(const CDoor& door, DoorPoint which) const {
    const double x = m_objFramePos.x, y = m_objFramePos.y, z = m_objFramePos.z;
    const double d = door.Depth;
    const auto along = [&](double origin) {
        switch (which) {
            case DoorPoint::kLeft: return origin + door.Left;
            case DoorPoint::kRight: return origin + door.Right;
            default: return origin + (door.Left + door.Right) / 2.0;
        }
    };
    switch (door.FaceType) {
        case 1:
        case 3:
            return {static_cast<float>(RunsTowardsPlusX() ? x + d / 4.0 : x - d / 4.0),
                    static_cast<float>(y + door.Bottom), static_cast<float>(along(z))};
        case 2:
        case 4:
            return {static_cast<float>(along(x)), static_cast<float>(y + door.Bottom),
                    static_cast<float>(RunsTowardsMinusY() ? z - d / 4.0 : z + d / 4.0)};
        default:
            return {};
    }
}

bool IsNear(rm::Vector3 position, rm::Vector3 point) {
    return std::fabs(Whole(position.x) - Whole(point.x)) < 9.0 &&
           std::fabs(Whole(position.y) - Whole(point.y)) < 9.0 &&
           std::fabs(Whole(position.z) - Whole(point.z)) < 9.0;
}

void CWall::ApplyUserColour(const UserColour& colour) {
    UserColor = colour;
    const std::uint32_t packed = colour.Packed();
    const rm::Color faceColour =
        rm::MakeColor(ClampChannel(colour.alpha), packed & 0xFFu, (packed >> 8) & 0xFFu,
                      (packed >> 16) & 0xFFu);
    for (const auto& face : m_mesh->Faces()) face->SetColor(faceColour);
}

void CWall::Show(bool show) {
    if (show == m_shown || !m_frame) return;
    if (show)
        m_frame->AddVisual(m_mesh);
    else
        m_frame->DeleteVisual(m_mesh.get());
    m_shown = show;
}

}  // namespace roamer::model
