#pragma once

#include <memory>

#include "platform/rm/retained_mode.h"

namespace roamer::model {

// The copy of a mesh reflected in the floor plane y = 0: every vertex (x, y, z) becomes
// (x, -y, z) and every normal (nx, ny, nz) becomes (nx, -ny, nz). Each face takes its vertices in
// reverse order, so that its front side still faces outward after the reflection; texture
// coordinates, texture and colour go with them.
std::shared_ptr<rm::MeshBuilder> MirrorMesh(const rm::MeshBuilder& source);

// A reflected copy of a wall or a ceiling: a frame of its own under the parent frame showing a
// mirrored mesh. Destroying it takes it out of the scene.
class CMirrorFrame {
public:
    CMirrorFrame(rm::RetainedMode& d3drm, rm::Frame* parentFrame,
                 std::shared_ptr<rm::MeshBuilder> mesh);
    ~CMirrorFrame();
    CMirrorFrame(const CMirrorFrame&) = delete;
    CMirrorFrame& operator=(const CMirrorFrame&) = delete;

    // Null when the parent frame could not take a child.
    rm::Frame* GetFrame() const { return m_frame; }
    const std::shared_ptr<rm::MeshBuilder>& GetMeshBuilder() const { return m_mesh; }

private:
    rm::Frame* m_parentFrame;
    rm::Frame* m_frame = nullptr;  // owned by the parent frame; deleted from it here
    std::shared_ptr<rm::MeshBuilder> m_mesh;
};

// (x, -y, z): where the reflection of a position lies.
inline rm::Vector3 MirrorPosition(rm::Vector3 p) { return {p.x, -p.y, p.z}; }

}  // namespace roamer::model
