#pragma once

#include <memory>
#include <vector>

#include "platform/rm/color.h"
#include "platform/rm/status.h"
#include "platform/rm/texture.h"
#include "platform/rm/vector.h"

namespace roamer::rm {

class MeshBuilder;

struct FaceVertex {
    Vector3 position;
    // Zero when the vertex has no normal of its own; the face normal lights it then.
    Vector3 normal;
    float u = 0.0f;
    float v = 0.0f;
};

// A one-sided polygon. Its front is the side from which the vertices run clockwise; the face
// normal, (v1 - v0) × (v2 - v0) normalised, points out of the front.
class Face {
public:
    Face() = default;
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;

    Status AddVertex(float x, float y, float z);
    Status AddVertexAndNormal(Vector3 position, Vector3 normal);
    int GetVertexCount() const { return static_cast<int>(m_vertices.size()); }
    // The vertex's position and normal (its own, else the face normal).
    Status GetVertex(int index, Vector3* position, Vector3* normal) const;
    Status GetNormal(Vector3* normal) const;
    Vector3 Normal() const { return m_normal; }

    Status SetTextureCoordinates(int index, float u, float v);
    Status GetTextureCoordinates(int index, float* u, float* v) const;

    Status SetColor(Color color);
    Status SetColorRGB(float red, float green, float blue);
    Color GetColor() const { return m_color; }

    // A null texture leaves the face untextured.
    Status SetTexture(std::shared_ptr<Texture> texture);
    const std::shared_ptr<Texture>& GetTexture() const { return m_texture; }

    const std::vector<FaceVertex>& Vertices() const { return m_vertices; }
    // The mesh builder the face belongs to, if any.
    const MeshBuilder* GetMeshBuilder() const { return m_mesh; }

private:
    friend class MeshBuilder;

    Status Append(FaceVertex vertex);
    void Changed();

    std::vector<FaceVertex> m_vertices;
    Vector3 m_normal;
    Color m_color = kWhite;
    std::shared_ptr<Texture> m_texture;
    MeshBuilder* m_mesh = nullptr;  // the owner, told of every change
};

}  // namespace roamer::rm
