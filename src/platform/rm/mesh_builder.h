#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/rm/box.h"
#include "platform/rm/face.h"
#include "platform/rm/status.h"
#include "platform/rm/visual.h"

namespace roamer::rm {

// A mesh: a list of faces, shown by the frames it is added to as a visual.
class MeshBuilder final : public Visual {
public:
    MeshBuilder();
    ~MeshBuilder() override;
    MeshBuilder(const MeshBuilder&) = delete;
    MeshBuilder& operator=(const MeshBuilder&) = delete;

    Kind GetKind() const override { return Kind::Mesh; }

    // A face belongs to one mesh only: adding it to a second one gives D3DRMERR_FACEUSED.
    Status AddFace(const std::shared_ptr<Face>& face);
    // Makes a new empty face in this mesh.
    std::shared_ptr<Face> CreateFace();
    // Faces from shared vertex and normal lists. `faceData` holds, per face, its vertex count n
    // and then n vertex indices, or n (vertex, normal) index pairs when `normals` is not empty;
    // a count of 0 ends the list. Nothing is added unless the whole list is valid.
    Status AddFaces(std::span<const Vector3> vertices, std::span<const Vector3> normals,
                    std::span<const std::uint32_t> faceData,
                    std::vector<std::shared_ptr<Face>>* created = nullptr);
    int GetFaceCount() const { return static_cast<int>(m_faces.size()); }
    Status GetFace(int index, std::shared_ptr<Face>* face) const;
    const std::vector<std::shared_ptr<Face>>& Faces() const { return m_faces; }
    int GetVertexCount() const;
    // Removes every face.
    void Empty();

    Status SetColor(Color color);
    Status SetColorRGB(float red, float green, float blue);
    Status SetTexture(const std::shared_ptr<Texture>& texture);

    // Multiplies every vertex coordinate; normals stay as they are.
    Status Scale(float sx, float sy, float sz);
    Status Translate(float tx, float ty, float tz);
    // Per-axis minimum and maximum over the vertices in the mesh's own coordinates;
    // D3DRMERR_NOTFOUND (and a zero box) for a mesh without vertices.
    Status GetBox(Box* box) const;

    // Perspective-correct texturing. The device always draws that way; the flag is kept.
    Status SetPerspective(bool on);
    bool GetPerspective() const { return m_perspective; }

    // A deep copy of the faces, their geometry and colours; the textures are shared.
    std::shared_ptr<MeshBuilder> Clone() const;

    // Replaces the faces by those of a model file (see model_loader.h). On failure the mesh
    // keeps what it had.
    Status Load(const std::string& path);

    std::uint64_t Id() const { return m_id; }
    // Changes with every change to the mesh or its faces, so a device uploads it again.
    std::uint64_t Generation() const { return m_generation; }

private:
    friend class Face;

    void Touch() { ++m_generation; }
    void Adopt(const std::shared_ptr<Face>& face);

    std::vector<std::shared_ptr<Face>> m_faces;
    bool m_perspective = false;
    std::uint64_t m_id;
    std::uint64_t m_generation = 1;
};

}  // namespace roamer::rm
