#pragma once

#include <cstdint>
#include <memory>

#include "model/build_context.h"
#include "model/face_obj.h"
#include "model/mirror.h"
#include "model/plan_types.h"

namespace roamer::model {

// What floors and ceilings share: a plan outline at one height, shown as one surface group in
// the object's own frame under the room frame.
class CLevelSurface {
public:
    CLevelSurface(rm::RetainedMode& d3drm, rm::Frame* parentFrame);
    virtual ~CLevelSurface();
    CLevelSurface(const CLevelSurface&) = delete;
    CLevelSurface& operator=(const CLevelSurface&) = delete;

    // Stores the geometry and places the frame at `objFramePos`.
    void SetGeometry(double high, rm::Vector3 objFramePos, CPolyLine line, double twoDto3D,
                     std::int32_t isRefine, float refineScale);
    // Builds `surface` (a group) into the mesh and keeps it as the object's face.
    void BuildFaces(std::unique_ptr<CFaceObj> surface, BuildContext& context);
    void Show(bool show);
    bool IsShown() const { return m_shown; }

    double GetHigh() const { return m_high; }
    double Get2Dto3D() const { return m_2Dto3D; }
    rm::Vector3 GetObjFramePos() const { return m_objFramePos; }
    const CPolyLine& GetLine() const { return m_line; }
    std::int32_t GetIsRefine() const { return m_isRefine; }
    float GetRefineScale() const { return m_refineScale; }
    // Null until built.
    CFaceObj* GetFace() const { return m_face.get(); }
    rm::Frame* GetFrame() const { return m_frame; }
    const std::shared_ptr<rm::MeshBuilder>& GetMeshBuilder() const { return m_mesh; }

private:
    rm::Frame* m_parentFrame;
    rm::Frame* m_frame = nullptr;  // owned by the parent frame; deleted from it here
    std::shared_ptr<rm::MeshBuilder> m_mesh;
    CPolyLine m_line;
    double m_high = 0.0;
    double m_2Dto3D = 1.0;
    rm::Vector3 m_objFramePos;
    std::unique_ptr<CFaceObj> m_face;
    std::int32_t m_isRefine = 0;
    float m_refineScale = 25.0f;
    bool m_shown = false;
};

class CFloor : public CLevelSurface {
public:
    using CLevelSurface::CLevelSurface;
    // The alpha of the floor's faces as a fraction 0..1, applied once all floors are loaded.
    double PowerFlag = 1.0;
    // Gives every face of the mesh the alpha PowerFlag × 255, keeping its red, green and blue.
    void ApplyPowerFlag();
};

class CCeiling : public CLevelSurface {
public:
    using CLevelSurface::CLevelSurface;
    std::int32_t Reflect = 0;

    // The ceiling's reflection below the floor (null when it has none); owned by the ceiling.
    CMirrorFrame* GetTwin() const { return m_twin.get(); }
    void SetTwin(std::unique_ptr<CMirrorFrame> twin) { m_twin = std::move(twin); }

private:
    std::unique_ptr<CMirrorFrame> m_twin;
};

}  // namespace roamer::model
