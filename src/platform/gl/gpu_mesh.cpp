#include "platform/gl/gpu_mesh.h"

#include <cstddef>
#include <map>

namespace roamer::gl {
namespace {

GpuVertex MakeVertex(const rm::Face& face, const rm::FaceVertex& vertex) {
    const rm::Vector3 normal = rm::IsZero(vertex.normal) ? face.Normal() : vertex.normal;
    const rm::Color color = face.GetColor();
    return {{vertex.position.x, vertex.position.y, vertex.position.z},
            {normal.x, normal.y, normal.z},
            {face.Normal().x, face.Normal().y, face.Normal().z},
            {vertex.u, vertex.v},
            {rm::RedByte(color), rm::GreenByte(color), rm::BlueByte(color), rm::AlphaByte(color)}};
}

void AppendFan(std::uint32_t base, std::size_t count, std::vector<std::uint32_t>* indices) {
    for (std::uint32_t k = 1; k + 1 < count; ++k) {
        indices->push_back(base);
        indices->push_back(base + k);
        indices->push_back(base + k + 1);
    }
}

void SetUpAttributes() {
    const auto stride = static_cast<GLsizei>(sizeof(GpuVertex));
    auto at = [](std::size_t offset) { return reinterpret_cast<const void*>(offset); };
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, at(offsetof(GpuVertex, position)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride, at(offsetof(GpuVertex, normal)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 3, GL_FLOAT, GL_FALSE, stride, at(offsetof(GpuVertex, faceNormal)));
    glEnableVertexAttribArray(3);
    glVertexAttribPointer(3, 2, GL_FLOAT, GL_FALSE, stride, at(offsetof(GpuVertex, uv)));
    glEnableVertexAttribArray(4);
    glVertexAttribPointer(4, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, at(offsetof(GpuVertex, color)));
}

}  // namespace

GpuMeshCache::~GpuMeshCache() {
    for (auto& [id, gpu] : m_meshes) {
        Release(gpu.get());
    }
}

GpuMesh& GpuMeshCache::Get(const std::shared_ptr<rm::MeshBuilder>& mesh) {
    std::unique_ptr<GpuMesh>& slot = m_meshes[mesh->Id()];
    if (slot == nullptr) {
        slot = std::make_unique<GpuMesh>();
        slot->mesh = mesh;
        glGenVertexArrays(1, &slot->vertexArray);
        glGenBuffers(1, &slot->vertexBuffer);
        glGenBuffers(1, &slot->indexBuffer);
        glGenBuffers(1, &slot->sortedIndexBuffer);
        glBindVertexArray(slot->vertexArray);
        glBindBuffer(GL_ARRAY_BUFFER, slot->vertexBuffer);
        SetUpAttributes();
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, slot->indexBuffer);
        glBindVertexArray(0);
    }
    if (slot->generation != mesh->Generation()) {
        Upload(*mesh, slot.get());
        slot->generation = mesh->Generation();
    }
    return *slot;
}

void GpuMeshCache::Upload(const rm::MeshBuilder& mesh, GpuMesh* gpu) {
    std::vector<GpuVertex> vertices;
    vertices.reserve(static_cast<std::size_t>(mesh.GetVertexCount()));
    // Opaque faces grouped by texture, so each texture costs one draw call.
    std::map<const rm::Texture*, std::vector<std::uint32_t>> opaqueByTexture;
    std::map<const rm::Texture*, std::shared_ptr<rm::Texture>> textures;
    gpu->blended.clear();
    gpu->blendedIndices.clear();
    for (const auto& face : mesh.Faces()) {
        const auto& faceVertices = face->Vertices();
        if (faceVertices.size() < 3) {
            continue;
        }
        const auto base = static_cast<std::uint32_t>(vertices.size());
        rm::Vector3 centre;
        for (const rm::FaceVertex& vertex : faceVertices) {
            vertices.push_back(MakeVertex(*face, vertex));
            centre = centre + vertex.position;
        }
        if (rm::AlphaByte(face->GetColor()) == 255) {
            textures[face->GetTexture().get()] = face->GetTexture();
            AppendFan(base, faceVertices.size(), &opaqueByTexture[face->GetTexture().get()]);
        } else {
            GpuMesh::BlendedFace blended;
            blended.texture = face->GetTexture();
            blended.centre = centre * (1.0f / static_cast<float>(faceVertices.size()));
            blended.first = static_cast<std::uint32_t>(gpu->blendedIndices.size());
            AppendFan(base, faceVertices.size(), &gpu->blendedIndices);
            blended.count = static_cast<std::uint32_t>(gpu->blendedIndices.size()) - blended.first;
            gpu->blended.push_back(std::move(blended));
        }
    }
    std::vector<std::uint32_t> indices;
    gpu->opaque.clear();
    for (auto& [key, group] : opaqueByTexture) {
        gpu->opaque.push_back({textures[key], static_cast<GLsizei>(indices.size()),
                               static_cast<GLsizei>(group.size())});
        indices.insert(indices.end(), group.begin(), group.end());
    }
    // The blended faces follow, so a shadow can draw the whole mesh in one call.
    indices.insert(indices.end(), gpu->blendedIndices.begin(), gpu->blendedIndices.end());
    gpu->totalIndices = static_cast<GLsizei>(indices.size());

    glBindVertexArray(gpu->vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, gpu->vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(GpuVertex)),
                 vertices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gpu->indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(indices.size() * sizeof(std::uint32_t)), indices.data(),
                 GL_STATIC_DRAW);
    glBindVertexArray(0);
}

void GpuMeshCache::Release(GpuMesh* gpu) {
    glDeleteVertexArrays(1, &gpu->vertexArray);
    glDeleteBuffers(1, &gpu->vertexBuffer);
    glDeleteBuffers(1, &gpu->indexBuffer);
    glDeleteBuffers(1, &gpu->sortedIndexBuffer);
}

void GpuMeshCache::Sweep() {
    for (auto it = m_meshes.begin(); it != m_meshes.end();) {
        if (it->second->mesh.expired()) {
            Release(it->second.get());
            it = m_meshes.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace roamer::gl
