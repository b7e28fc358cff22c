#include "model/level_surface.h"

#include <cmath>

namespace roamer::model {

CLevelSurface::CLevelSurface(rm::RetainedMode& d3drm, rm::Frame* parentFrame)
    : m_parentFrame(parentFrame) {
    d3drm.CreateFrame(parentFrame, &m_frame);
    m_mesh = d3drm.CreateMeshBuilder();
    m_mesh->SetPerspective(true);
}

CLevelSurface::~CLevelSurface() {
    if (m_frame && m_parentFrame) m_parentFrame->DeleteChild(m_frame);
}

void CLevelSurface::SetGeometry(double high, rm::Vector3 objFramePos, CPolyLine line,
                                double twoDto3D, std::int32_t isRefine, float refineScale) {
    m_high = high;
    m_objFramePos = objFramePos;
    m_line = std::move(line);
    m_2Dto3D = twoDto3D;
    m_isRefine = isRefine;
    m_refineScale = refineScale;
    if (m_frame) m_frame->SetPosition(m_parentFrame, objFramePos.x, objFramePos.y, objFramePos.z);
}

void CLevelSurface::BuildFaces(std::unique_ptr<CFaceObj> surface, BuildContext& context) {
    if (!surface) return;
    std::vector<std::shared_ptr<rm::Face>> faces;
    BuildSurface(*surface, m_isRefine != 0, m_refineScale, m_frame, context, faces);
    for (const auto& face : faces) m_mesh->AddFace(face);
    m_face = std::move(surface);
}

void CLevelSurface::Show(bool show) {
    if (show == m_shown || !m_frame) return;
    if (show)
        m_frame->AddVisual(m_mesh);
    else
        m_frame->DeleteVisual(m_mesh.get());
    m_shown = show;
}

void CFloor::ApplyPowerFlag() {
    const double scaled = PowerFlag * 255.0;
    // A flag outside 0..1 would wrap around in the alpha byte; it is held to the byte's range.
    const std::uint32_t alpha =
        !(scaled > 0.0) ? 0u : scaled >= 255.0 ? 255u : static_cast<std::uint32_t>(scaled);
    const auto& faces = GetMeshBuilder()->Faces();
    for (const auto& face : faces) {
        // The channels are kept as the bytes they are: going through fractions of 1 could
        // lose a step to rounding.
        const rm::Color c = face->GetColor();
        face->SetColor(rm::MakeColor(alpha, rm::RedByte(c), rm::GreenByte(c), rm::BlueByte(c)));
    }
}

}  // namespace roamer::model
