#include "model/mirror.h"

namespace roamer::model {

std::shared_ptr<rm::MeshBuilder> MirrorMesh(const rm::MeshBuilder& source) {
    auto mirrored = std::make_shared<rm::MeshBuilder>();
    mirrored->SetPerspective(source.GetPerspective());
    for (const auto& face : source.Faces()) {
        const auto copy = mirrored->CreateFace();
        const auto& vertices = face->Vertices();
        for (auto it = vertices.rbegin(); it != vertices.rend(); ++it) {
            const rm::Vector3 n = it->normal;
            copy->AddVertexAndNormal(MirrorPosition(it->position), {n.x, -n.y, n.z});
            copy->SetTextureCoordinates(copy->GetVertexCount() - 1, it->u, it->v);
        }
        copy->SetTexture(face->GetTexture());
        copy->SetColor(face->GetColor());
    }
    return mirrored;
}

CMirrorFrame::CMirrorFrame(rm::RetainedMode& d3drm, rm::Frame* parentFrame,
                           std::shared_ptr<rm::MeshBuilder> mesh)
    : m_parentFrame(parentFrame), m_mesh(std::move(mesh)) {
    if (parentFrame != nullptr) d3drm.CreateFrame(parentFrame, &m_frame);
    if (m_frame != nullptr && m_mesh) m_frame->AddVisual(m_mesh);
}

CMirrorFrame::~CMirrorFrame() {
    if (m_frame != nullptr && m_parentFrame != nullptr) m_parentFrame->DeleteChild(m_frame);
}

}  // namespace roamer::model
