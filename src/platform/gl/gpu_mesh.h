#pragma once

#include <epoxy/gl.h>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/rm/mesh_builder.h"

namespace roamer::gl {

// One mesh on the GPU: a vertex buffer, and triangle indices with the opaque faces grouped by
// texture (one draw call per group) followed by the faces whose alpha is below 255, which are
// drawn one by one in depth order from a second, per-frame index buffer.
struct GpuMesh {
    struct Batch {
        std::shared_ptr<rm::Texture> texture;
        GLsizei first = 0;  // in indices
        GLsizei count = 0;
    };
    struct BlendedFace {
        std::shared_ptr<rm::Texture> texture;
        rm::Vector3 centre;
        std::uint32_t first = 0;  // into blendedIndices
        std::uint32_t count = 0;
    };

    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    GLuint indexBuffer = 0;
    GLuint sortedIndexBuffer = 0;
    std::uint64_t generation = 0;
    std::weak_ptr<rm::MeshBuilder> mesh;
    std::vector<Batch> opaque;
    std::vector<BlendedFace> blended;
    std::vector<std::uint32_t> blendedIndices;
    GLsizei totalIndices = 0;
    // Filled per frame while sorting blended faces.
    std::vector<std::uint32_t> sortedIndices;
};

class GpuMeshCache {
public:
    GpuMeshCache() = default;
    ~GpuMeshCache();
    GpuMeshCache(const GpuMeshCache&) = delete;
    GpuMeshCache& operator=(const GpuMeshCache&) = delete;

    // The GPU copy of `mesh`, uploaded when it is new or has changed since.
    GpuMesh& Get(const std::shared_ptr<rm::MeshBuilder>& mesh);
    void Sweep();

private:
    static void Upload(const rm::MeshBuilder& mesh, GpuMesh* gpu);
    static void Release(GpuMesh* gpu);

    std::unordered_map<std::uint64_t, std::unique_ptr<GpuMesh>> m_meshes;
};

// Vertex layout shared with the shaders.
struct GpuVertex {
    float position[3];
    float normal[3];
    float faceNormal[3];
    float uv[2];
    std::uint8_t color[4];
};

}  // namespace roamer::gl
