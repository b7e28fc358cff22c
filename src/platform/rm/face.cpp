#include "platform/rm/face.h"

#include <cmath>

#include "platform/rm/mesh_builder.h"

namespace roamer::rm {
namespace {

bool IsFinite(Vector3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Large enough for any polygon a scene or model holds; a bound so a broken caller cannot grow a
// face without limit.
constexpr std::size_t kMaxFaceVertices = 65536;

}  // namespace

Status Face::AddVertex(float x, float y, float z) { return Append({{x, y, z}, {}, 0.0f, 0.0f}); }

Status Face::AddVertexAndNormal(Vector3 position, Vector3 normal) {
    return Append({position, VectorNormalize(normal), 0.0f, 0.0f});
}

Status Face::Append(FaceVertex vertex) {
    if (!IsFinite(vertex.position) || !IsFinite(vertex.normal)) {
        return D3DRMERR_BADVALUE;
    }
    if (m_vertices.size() >= kMaxFaceVertices) {
        return D3DRMERR_BADALLOC;
    }
    m_vertices.push_back(vertex);
    if (m_vertices.size() == 3) {
        const Vector3 v0 = m_vertices[0].position;
        m_normal = VectorNormalize(
            CrossProduct(m_vertices[1].position - v0, m_vertices[2].position - v0));
    }
    Changed();
    return D3DRM_OK;
}

Status Face::GetVertex(int index, Vector3* position, Vector3* normal) const {
    if (index < 0 || index >= GetVertexCount()) {
        return D3DRMERR_BADVALUE;
    }
    const FaceVertex& vertex = m_vertices[static_cast<std::size_t>(index)];
    if (position != nullptr) {
        *position = vertex.position;
    }
    if (normal != nullptr) {
        *normal = IsZero(vertex.normal) ? m_normal : vertex.normal;
    }
    return D3DRM_OK;
}

Status Face::GetNormal(Vector3* normal) const {
    if (normal == nullptr) {
        return D3DRMERR_BADVALUE;
    }
    *normal = m_normal;
    return D3DRM_OK;
}

Status Face::SetTextureCoordinates(int index, float u, float v) {
    if (index < 0 || index >= GetVertexCount() || !std::isfinite(u) || !std::isfinite(v)) {
        return D3DRMERR_BADVALUE;
    }
    FaceVertex& vertex = m_vertices[static_cast<std::size_t>(index)];
    vertex.u = u;
    vertex.v = v;
    Changed();
    return D3DRM_OK;
}

Status Face::GetTextureCoordinates(int index, float* u, float* v) const {
    if (index < 0 || index >= GetVertexCount()) {
        return D3DRMERR_BADVALUE;
    }
    const FaceVertex& vertex = m_vertices[static_cast<std::size_t>(index)];
    if (u != nullptr) {
        *u = vertex.u;
    }
    if (v != nullptr) {
        *v = vertex.v;
    }
    return D3DRM_OK;
}

Status Face::SetColor(Color color) {
    if (m_color != color) {
        m_color = color;
        Changed();
    }
    return D3DRM_OK;
}

Status Face::SetColorRGB(float red, float green, float blue) {
    return SetColor(CreateColorRGB(red, green, blue));
}

Status Face::SetTexture(std::shared_ptr<Texture> texture) {
    if (m_texture != texture) {
        m_texture = std::move(texture);
        Changed();
    }
    return D3DRM_OK;
}

void Face::Changed() {
    if (m_mesh != nullptr) {
        m_mesh->Touch();
    }
}

}  // namespace roamer::rm
