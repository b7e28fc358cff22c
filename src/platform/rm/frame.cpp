#include "platform/rm/frame.h"

#include <algorithm>
#include <cmath>

namespace roamer::rm {
namespace {

bool IsFinite(Vector3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace

Frame::~Frame() {
    for (const auto& light : m_lights) {
        if (light->m_frame == this) {
            light->m_frame = nullptr;
        }
    }
    // Children are destroyed one level at a time by their own destructors; frame trees are
    // built by code, a few levels deep, never from file data.
}

Frame* Frame::CreateChild() {
    m_children.push_back(std::unique_ptr<Frame>(new Frame(this)));
    return m_children.back().get();
}

Status Frame::DeleteChild(const Frame* child) {
    const auto found = std::find_if(m_children.begin(), m_children.end(),
                                    [child](const auto& owned) { return owned.get() == child; });
    if (child == nullptr || found == m_children.end()) {
        return D3DRMERR_NOTFOUND;
    }
    m_children.erase(found);
    return D3DRM_OK;
}

const Frame& Frame::GetScene() const {
    const Frame* frame = this;
    while (frame->m_parent != nullptr) {
        frame = frame->m_parent;
    }
    return *frame;
}

Status Frame::AddVisual(std::shared_ptr<Visual> visual) {
    if (visual == nullptr) {
        return D3DRMERR_BADOBJECT;
    }
    if (std::find(m_visuals.begin(), m_visuals.end(), visual) == m_visuals.end()) {
        m_visuals.push_back(std::move(visual));
    }
    return D3DRM_OK;
}

Status Frame::DeleteVisual(const Visual* visual) {
    const auto found = std::find_if(m_visuals.begin(), m_visuals.end(),
                                    [visual](const auto& held) { return held.get() == visual; });
    if (visual == nullptr || found == m_visuals.end()) {
        return D3DRMERR_NOTFOUND;
    }
    m_visuals.erase(found);
    return D3DRM_OK;
}

Status Frame::AddLight(std::shared_ptr<Light> light) {
    if (light == nullptr) {
        return D3DRMERR_BADOBJECT;
    }
    light->m_frame = this;
    if (std::find(m_lights.begin(), m_lights.end(), light) == m_lights.end()) {
        m_lights.push_back(std::move(light));
    }
    return D3DRM_OK;
}

Status Frame::DeleteLight(const Light* light) {
    const auto found = std::find_if(m_lights.begin(), m_lights.end(),
                                    [light](const auto& held) { return held.get() == light; });
    if (light == nullptr || found == m_lights.end()) {
        return D3DRMERR_NOTFOUND;
    }
    if ((*found)->m_frame == this) {
        (*found)->m_frame = nullptr;
    }
    m_lights.erase(found);
    return D3DRM_OK;
}

Transform Frame::WorldTransform() const {
    Transform world = m_local;
    for (const Frame* frame = m_parent; frame != nullptr; frame = frame->m_parent) {
        world = world.Then(frame->m_local);
    }
    return world;
}

Transform Frame::ReferenceTransform(const Frame* reference) const {
    return reference == nullptr ? Transform{} : reference->WorldTransform();
}

Status Frame::SetPosition(const Frame* reference, float x, float y, float z) {
    const Vector3 position{x, y, z};
    if (!IsFinite(position)) {
        return D3DRMERR_BADVALUE;
    }
    const Vector3 world = ReferenceTransform(reference).ApplyToPoint(position);
    const Transform parentWorld = m_parent != nullptr ? m_parent->WorldTransform() : Transform{};
    m_local.origin = parentWorld.Inverse().ApplyToPoint(world);
    return D3DRM_OK;
}

Status Frame::GetPosition(const Frame* reference, Vector3* position) const {
    if (position == nullptr) {
        return D3DRMERR_BADVALUE;
    }
    *position = ReferenceTransform(reference).Inverse().ApplyToPoint(WorldTransform().origin);
    return D3DRM_OK;
}

Status Frame::SetOrientation(const Frame* reference, Vector3 direction, Vector3 up) {
    if (!IsFinite(direction) || !IsFinite(up)) {
        return D3DRMERR_BADVALUE;
    }
    Vector3 x, y, z;
    if (!OrientationAxes(direction, up, &x, &y, &z)) {
        return D3DRMERR_BADVALUE;
    }
    // Axes given in the reference frame, carried into the scene, then into the parent.
    const Transform toWorld = ReferenceTransform(reference);
    const Transform toParent =
        (m_parent != nullptr ? m_parent->WorldTransform() : Transform{}).Inverse();
    auto intoParent = [&](Vector3 axis) {
        return toParent.ApplyToDirection(toWorld.ApplyToDirection(axis));
    };
    m_local.right = intoParent(x);
    m_local.up = intoParent(y);
    m_local.forward = intoParent(z);
    return D3DRM_OK;
}

Status Frame::GetOrientation(const Frame* reference, Vector3* direction, Vector3* up) const {
    if (direction == nullptr || up == nullptr) {
        return D3DRMERR_BADVALUE;
    }
    const Transform world = WorldTransform();
    const Transform fromWorld = ReferenceTransform(reference).Inverse();
    *direction = fromWorld.ApplyToDirection(world.forward);
    *up = fromWorld.ApplyToDirection(world.up);
    return D3DRM_OK;
}

}  // namespace roamer::rm
