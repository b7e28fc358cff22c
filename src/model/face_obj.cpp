#include "model/face_obj.h"

namespace roamer::model {

CFaceObj::CFaceObj(rm::RetainedMode& d3drm, std::int32_t type) : m_d3drm(d3drm), m_type(type) {}

void CFaceObj::SetVertices(std::vector<rm::Vector3> vertices) {
    if (vertices.empty()) return;
    m_vertices = std::move(vertices);
}

void CFaceObj::SetOrigin(rm::Vector3 origin) {
    m_origin = origin;
    if (HasChildren())
        for (auto& sub : m_subFaces) sub->SetOrigin(origin);
}

void CFaceObj::SetScale(float u, float v) {
    m_scaleU = u;
    m_scaleV = v;
    if (HasChildren())
        for (auto& sub : m_subFaces) sub->SetScale(u, v);
}

void CFaceObj::SetOffset(float u, float v) {
    m_offsetU = u;
    m_offsetV = v;
    if (HasChildren())
        for (auto& sub : m_subFaces) sub->SetOffset(u, v);
}

void CFaceObj::SetColor(rm::Color color) {
    m_color = color;
    if (m_renderFace) m_renderFace->SetColor(color);
    if (HasChildren())
        for (auto& sub : m_subFaces) sub->SetColor(color);
}

int CFaceObj::AddSubFace(std::unique_ptr<CFaceObj> face) {
    if (!face) return -5002;
    m_subFaces.push_back(std::move(face));
    return 0;
}

CFaceObj* CFaceObj::GetSubFace(int index) const {
    if (index < 0 || index >= GetSubFaceCount()) return nullptr;
    return m_subFaces[static_cast<std::size_t>(index)].get();
}

bool CFaceObj::IsLeaf() const {
    if (m_type == kCell) return true;
    return m_type == kPolygon && m_subFaces.empty() && !m_refinedToNothing;
}

void CFaceObj::ReleaseRenderObjects() {
    m_renderFace.reset();
    m_wrap.reset();
}

rm::Status CFaceObj::CreateRenderFaces(std::vector<std::shared_ptr<rm::Face>>& faces) {
    if (IsLeaf()) {
        ReleaseRenderObjects();
        // A cell named in a file without any vertices has nothing to draw.
        if (m_vertices.empty()) return rm::D3DRM_OK;
        auto face = m_d3drm.CreateFace();
        for (const rm::Vector3& v : m_vertices) {
            const rm::Status status = face->AddVertex(v.x, v.y, v.z);
            if (rm::Failed(status)) {
                faces.clear();
                return status;
            }
        }
        m_renderFace = face;
        faces.push_back(std::move(face));
        return rm::D3DRM_OK;
    }
    if (!HasChildren()) return rm::D3DRM_OK;
    for (auto& sub : m_subFaces) {
        const rm::Status status = sub->CreateRenderFaces(faces);
        if (rm::Failed(status)) {
            faces.clear();
            return status;
        }
    }
    return rm::D3DRM_OK;
}

void CFaceObj::SetTexture(const TextureKey& key, std::shared_ptr<rm::Texture> texture) {
    if (m_key.TextureID != key.TextureID) m_key = key;
    m_texture = texture;
    if (m_renderFace && m_texture) m_renderFace->SetTexture(m_texture);
    if (HasChildren())
        for (auto& sub : m_subFaces) sub->SetTexture(key, texture);
}

rm::Status CFaceObj::ApplyWrap(const rm::Frame* frame) {
    if (IsLeaf()) {
        if (!m_renderFace) return rm::D3DRM_OK;
        m_wrap.reset();
        if (m_texture) m_renderFace->SetTexture(m_texture);
        // One repeat of the picture spans half of ScaleU (ScaleV) scene units; the offsets
        // shift it by the same measure.
        const float hu = m_scaleU / 2.0f;
        const float hv = m_scaleV / 2.0f;
        const float ou = m_offsetU / 2.0f;
        const float ov = m_offsetV / 2.0f;
        std::unique_ptr<rm::Wrap> wrap;
        const rm::Vector3 up = -m_yNormal;
        rm::Status status = m_d3drm.CreateWrap(
            rm::D3DRMWRAP_FLAT, frame, m_origin.x, m_origin.y, m_origin.z, m_zNormal.x,
            m_zNormal.y, m_zNormal.z, up.x, up.y, up.z, ou / hu, ov / hv,
            static_cast<float>(1.0 / static_cast<double>(hu)),
            static_cast<float>(1.0 / static_cast<double>(hv)), &wrap);
        if (rm::Failed(status)) return status;
        status = wrap->Apply(*m_renderFace);
        if (rm::Failed(status)) return status;
        m_wrap = std::move(wrap);
        return rm::D3DRM_OK;
    }
    if (!HasChildren()) return rm::D3DRM_OK;
    for (auto& sub : m_subFaces) {
        const rm::Status status = sub->ApplyWrap(frame);
        if (rm::Failed(status)) return status;
    }
    return rm::D3DRM_OK;
}

}  // namespace roamer::model
