#include "platform/rm/mesh_builder.h"

#include <algorithm>
#include <cmath>

#include "platform/rm/model_loader.h"
#include "platform/rm/object_id.h"

namespace roamer::rm {

MeshBuilder::MeshBuilder() : m_id(NewObjectId()) {}

MeshBuilder::~MeshBuilder() { Empty(); }

void MeshBuilder::Adopt(const std::shared_ptr<Face>& face) {
    face->m_mesh = this;
    m_faces.push_back(face);
}

Status MeshBuilder::AddFace(const std::shared_ptr<Face>& face) {
    if (face == nullptr) {
        return D3DRMERR_BADOBJECT;
    }
    if (face->m_mesh != nullptr) {
        return D3DRMERR_FACEUSED;
    }
    Adopt(face);
    Touch();
    return D3DRM_OK;
}

std::shared_ptr<Face> MeshBuilder::CreateFace() {
    auto face = std::make_shared<Face>();
    Adopt(face);
    Touch();
    return face;
}

Status MeshBuilder::AddFaces(std::span<const Vector3> vertices, std::span<const Vector3> normals,
                             std::span<const std::uint32_t> faceData,
                             std::vector<std::shared_ptr<Face>>* created) {
    const bool withNormals = !normals.empty();
    const std::size_t stride = withNormals ? 2 : 1;
    // Check the whole list before changing anything.
    std::size_t at = 0;
    while (at < faceData.size() && faceData[at] != 0) {
        const std::size_t count = faceData[at];
        if (count > (faceData.size() - at - 1) / stride) {
            return D3DRMERR_BADVALUE;
        }
        for (std::size_t k = 0; k < count; ++k) {
            const std::size_t base = at + 1 + k * stride;
            if (faceData[base] >= vertices.size() ||
                (withNormals && faceData[base + 1] >= normals.size())) {
                return D3DRMERR_BADVALUE;
            }
        }
        at += 1 + count * stride;
    }
    at = 0;
    while (at < faceData.size() && faceData[at] != 0) {
        const std::size_t count = faceData[at];
        auto face = std::make_shared<Face>();
        for (std::size_t k = 0; k < count; ++k) {
            const std::size_t base = at + 1 + k * stride;
            const Vector3 normal = withNormals ? normals[faceData[base + 1]] : Vector3{};
            if (const Status status = face->AddVertexAndNormal(vertices[faceData[base]], normal);
                Failed(status)) {
                return status;
            }
        }
        Adopt(face);
        if (created != nullptr) {
            created->push_back(face);
        }
        at += 1 + count * stride;
    }
    Touch();
    return D3DRM_OK;
}

Status MeshBuilder::GetFace(int index, std::shared_ptr<Face>* face) const {
    if (face == nullptr || index < 0 || index >= GetFaceCount()) {
        return D3DRMERR_BADVALUE;
    }
    *face = m_faces[static_cast<std::size_t>(index)];
    return D3DRM_OK;
}

int MeshBuilder::GetVertexCount() const {
    std::size_t count = 0;
    for (const auto& face : m_faces) {
        count += face->m_vertices.size();
    }
    return static_cast<int>(std::min<std::size_t>(count, 0x7FFFFFFF));
}

void MeshBuilder::Empty() {
    for (const auto& face : m_faces) {
        face->m_mesh = nullptr;
    }
    m_faces.clear();
    Touch();
}

Status MeshBuilder::SetColor(Color color) {
    for (const auto& face : m_faces) {
        face->m_color = color;
    }
    Touch();
    return D3DRM_OK;
}

Status MeshBuilder::SetColorRGB(float red, float green, float blue) {
    return SetColor(CreateColorRGB(red, green, blue));
}

Status MeshBuilder::SetTexture(const std::shared_ptr<Texture>& texture) {
    for (const auto& face : m_faces) {
        face->m_texture = texture;
    }
    Touch();
    return D3DRM_OK;
}

Status MeshBuilder::Scale(float sx, float sy, float sz) {
    if (!std::isfinite(sx) || !std::isfinite(sy) || !std::isfinite(sz)) {
        return D3DRMERR_BADVALUE;
    }
    for (const auto& face : m_faces) {
        for (FaceVertex& vertex : face->m_vertices) {
            vertex.position = {vertex.position.x * sx, vertex.position.y * sy,
                               vertex.position.z * sz};
        }
    }
    Touch();
    return D3DRM_OK;
}

Status MeshBuilder::Translate(float tx, float ty, float tz) {
    if (!std::isfinite(tx) || !std::isfinite(ty) || !std::isfinite(tz)) {
        return D3DRMERR_BADVALUE;
    }
    for (const auto& face : m_faces) {
        for (FaceVertex& vertex : face->m_vertices) {
            vertex.position = vertex.position + Vector3{tx, ty, tz};
        }
    }
    Touch();
    return D3DRM_OK;
}

Status MeshBuilder::GetBox(Box* box) const {
    if (box == nullptr) {
        return D3DRMERR_BADVALUE;
    }
    *box = {};
    bool first = true;
    for (const auto& face : m_faces) {
        for (const FaceVertex& vertex : face->m_vertices) {
            const Vector3 p = vertex.position;
            if (first) {
                *box = {p, p};
                first = false;
                continue;
            }
            box->min = {std::min(box->min.x, p.x), std::min(box->min.y, p.y),
                        std::min(box->min.z, p.z)};
            box->max = {std::max(box->max.x, p.x), std::max(box->max.y, p.y),
                        std::max(box->max.z, p.z)};
        }
    }
    return first ? D3DRMERR_NOTFOUND : D3DRM_OK;
}

Status MeshBuilder::SetPerspective(bool on) {
    m_perspective = on;
    return D3DRM_OK;
}

std::shared_ptr<MeshBuilder> MeshBuilder::Clone() const {
    auto copy = std::make_shared<MeshBuilder>();
    copy->m_perspective = m_perspective;
    copy->m_faces.reserve(m_faces.size());
    for (const auto& face : m_faces) {
        auto faceCopy = std::make_shared<Face>();
        faceCopy->m_vertices = face->m_vertices;
        faceCopy->m_normal = face->m_normal;
        faceCopy->m_color = face->m_color;
        faceCopy->m_texture = face->m_texture;
        copy->Adopt(faceCopy);
    }
    return copy;
}

Status MeshBuilder::Load(const std::string& path) {
    std::vector<std::shared_ptr<Face>> faces;
    if (const Status status = LoadModelFaces(path, &faces); Failed(status)) {
        return status;
    }
    Empty();
    for (const auto& face : faces) {
        Adopt(face);
    }
    Touch();
    return D3DRM_OK;
}

}  // namespace roamer::rm
