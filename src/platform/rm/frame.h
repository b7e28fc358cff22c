#pragma once

#include <memory>
#include <vector>

#include "platform/rm/light.h"
#include "platform/rm/status.h"
#include "platform/rm/transform.h"
#include "platform/rm/vector.h"
#include "platform/rm/visual.h"

namespace roamer::rm {

// A node of the scene graph. A frame owns its children; visuals and lights are shared with
// whoever else holds them. A new frame sits at its parent's origin with its orientation.
//
// Reference frames: a null reference means the scene, i.e. the root of this frame's tree.
class Frame {
public:
    // A root frame: the scene.
    Frame() = default;
    ~Frame();
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    Frame* CreateChild();
    // Destroys a child together with everything below it; D3DRMERR_NOTFOUND when `child` is
    // not a child of this frame.
    Status DeleteChild(const Frame* child);
    Frame* GetParent() const { return m_parent; }
    const std::vector<std::unique_ptr<Frame>>& GetChildren() const { return m_children; }
    const Frame& GetScene() const;

    // The same visual may be added once; a second add is ignored, as is a null visual
    // (D3DRMERR_BADOBJECT).
    Status AddVisual(std::shared_ptr<Visual> visual);
    Status DeleteVisual(const Visual* visual);
    const std::vector<std::shared_ptr<Visual>>& GetVisuals() const { return m_visuals; }

    Status AddLight(std::shared_ptr<Light> light);
    Status DeleteLight(const Light* light);
    const std::vector<std::shared_ptr<Light>>& GetLights() const { return m_lights; }

    // The frame's origin goes to (x, y, z) in the reference frame's coordinates.
    Status SetPosition(const Frame* reference, float x, float y, float z);
    Status GetPosition(const Frame* reference, Vector3* position) const;
    // z axis = the normalised direction; y axis = up made perpendicular to z; x = y × z. Both
    // vectors in the reference frame's coordinates; the position stays. An up vector parallel
    // to the direction (or a zero vector) is refused with D3DRMERR_BADVALUE.
    Status SetOrientation(const Frame* reference, Vector3 direction, Vector3 up);
    Status GetOrientation(const Frame* reference, Vector3* direction, Vector3* up) const;

    // Placement in the parent, and in the scene.
    const Transform& LocalTransform() const { return m_local; }
    Transform WorldTransform() const;

private:
    explicit Frame(Frame* parent) : m_parent(parent) {}
    Transform ReferenceTransform(const Frame* reference) const;

    Frame* m_parent = nullptr;
    Transform m_local;
    std::vector<std::unique_ptr<Frame>> m_children;
    std::vector<std::shared_ptr<Visual>> m_visuals;
    std::vector<std::shared_ptr<Light>> m_lights;
};

}  // namespace roamer::rm
