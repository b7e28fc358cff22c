#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "model/build_context.h"
#include "model/door.h"
#include "model/face_obj.h"
#include "model/mirror.h"
#include "model/shadow_cast.h"
#include "model/plan_types.h"
#include "model/user_colour.h"
#include "model/wall_face.h"

namespace roamer::model {

// A wall: one mesh in its own frame under the room frame, built from its wall faces, the
// surfaces on top of and under it and the reveals of its doors.
class CWall {
public:
    enum class DoorPoint { kCentre, kLeft, kRight };

    CWall(rm::RetainedMode& d3drm, rm::Frame* parentFrame);
    ~CWall();
    CWall(const CWall&) = delete;
    CWall& operator=(const CWall&) = delete;

    // Stores the geometry and places the frame at `objFramePos`.
    void SetGeometry(double top, double bottom, rm::Vector3 objFramePos, CPolyLine wallLine,
                     double twoDto3D);
    double GetTop() const { return m_top; }
    double GetBottom() const { return m_bottom; }
    double Get2Dto3D() const { return m_2Dto3D; }
    rm::Vector3 GetObjFramePos() const { return m_objFramePos; }
    const CPolyLine& GetWallLine() const { return m_wallLine; }

    int AddDoor(std::unique_ptr<CDoor> door);
    int AddWallFace(std::unique_ptr<CWallFace> face);
    int AddUpWallFace(std::unique_ptr<CFaceObj> face);
    int AddDownWallFace(std::unique_ptr<CFaceObj> face);
    CDoor* GetDoor(int index) const;
    CWallFace* GetWallFace(int index) const;
    CFaceObj* GetUpWallFace(int index) const;
    CFaceObj* GetDownWallFace(int index) const;
    const std::vector<std::unique_ptr<CDoor>>& DoorList() const { return m_doors; }
    const std::vector<std::unique_ptr<CWallFace>>& WallFaceList() const { return m_wallFaces; }
    const std::vector<std::unique_ptr<CFaceObj>>& UpWallFaceList() const { return m_upFaces; }
    const std::vector<std::unique_ptr<CFaceObj>>& DownWallFaceList() const { return m_downFaces; }

    // The surface under the wall for files that did not store one: the wall line at the
    // wall's bottom, facing up, dark grey.
    void BuildDownFaceFromLine();
    // Builds every surface into the wall's mesh.
    void BuildFaces(BuildContext& context);
    // The scene boxes of the door openings, from the wall's frame position and line.
    void ComputeDoorBoxes();
    rm::Vector3 DoorReferencePoint(const CDoor& door, DoorPoint which) const;
    // Replaces the colour of every face of the mesh; textures stay.
    void ApplyUserColour(const UserColour& colour);
    void Show(bool show);
    bool IsShown() const { return m_shown; }

    rm::Frame* GetFrame() const { return m_frame; }
    const std::shared_ptr<rm::MeshBuilder>& GetMeshBuilder() const { return m_mesh; }

    UserColour UserColor;
    std::int32_t Shadow = 0;
    std::int32_t Reflect = 0;
    std::int32_t ShadowLightIndex = -1;
    CShadowCast ShadowCast;

    // The wall's reflection below the floor (null when it has none); owned by the wall.
    CMirrorFrame* GetTwin() const { return m_twin.get(); }
    void SetTwin(std::unique_ptr<CMirrorFrame> twin) { m_twin = std::move(twin); }

private:
    // The two tests on the wall line that orient door boxes.
    bool RunsTowardsPlusX() const;
    bool RunsTowardsMinusY() const;

    rm::Frame* m_parentFrame;
    rm::Frame* m_frame = nullptr;  // owned by the parent frame; deleted from it here
    std::shared_ptr<rm::MeshBuilder> m_mesh;
    CPolyLine m_wallLine;
    double m_top = 130.0;
    double m_bottom = 0.0;
    double m_2Dto3D = 1.0;
    rm::Vector3 m_objFramePos;
    std::vector<std::unique_ptr<CDoor>> m_doors;
    std::vector<std::unique_ptr<CWallFace>> m_wallFaces;
    std::vector<std::unique_ptr<CFaceObj>> m_upFaces;
    std::vector<std::unique_ptr<CFaceObj>> m_downFaces;
    bool m_shown = false;
    rm::RetainedMode& m_d3drm;
    std::unique_ptr<CMirrorFrame> m_twin;
};

// A position is near a reference point when, on each axis, the coordinates truncated to whole
// numbers differ by less than 9.
bool IsNear(rm::Vector3 position, rm::Vector3 point);

}  // namespace roamer::model
