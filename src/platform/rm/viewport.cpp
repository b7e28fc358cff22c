#include "platform/rm/viewport.h"

#include <cmath>

#include "platform/rm/device.h"
#include "platform/rm/frame.h"

namespace roamer::rm {

Viewport::Viewport(Device* device, Frame* camera, int x, int y, int width, int height)
    : m_device(device),
      m_camera(camera),
      m_x(x),
      m_y(y),
      m_width(width > 0 ? width : 1),
      m_height(height > 0 ? height : 1) {}

Status Viewport::SetCamera(Frame* camera) {
    if (camera == nullptr) {
        return D3DRMERR_BADOBJECT;
    }
    m_camera = camera;
    return D3DRM_OK;
}

Status Viewport::SetFront(float distance) {
    if (!std::isfinite(distance) || !(distance > 0.0f) || !(distance < m_back)) {
        return D3DRMERR_BADVALUE;
    }
    m_front = distance;
    return D3DRM_OK;
}

Status Viewport::SetBack(float distance) {
    if (!std::isfinite(distance) || !(distance > m_front)) {
        return D3DRMERR_BADVALUE;
    }
    m_back = distance;
    return D3DRM_OK;
}

Status Viewport::SetField(float field) {
    if (!std::isfinite(field) || !(field > 0.0f)) {
        return D3DRMERR_BADVALUE;
    }
    m_plane = {-field, field, -field, field};
    return D3DRM_OK;
}

float Viewport::GetField() const { return (m_plane.right - m_plane.left) / 2.0f; }

Status Viewport::SetPlane(float left, float right, float bottom, float top) {
    for (const float value : {left, right, bottom, top}) {
        if (!std::isfinite(value)) {
            return D3DRMERR_BADVALUE;
        }
    }
    if (!(left < right) || !(bottom < top)) {
        return D3DRMERR_BADVALUE;
    }
    m_plane = {left, right, bottom, top};
    return D3DRM_OK;
}

Status Viewport::GetPlane(float* left, float* right, float* bottom, float* top) const {
    if (left == nullptr || right == nullptr || bottom == nullptr || top == nullptr) {
        return D3DRMERR_BADVALUE;
    }
    *left = m_plane.left;
    *right = m_plane.right;
    *bottom = m_plane.bottom;
    *top = m_plane.top;
    return D3DRM_OK;
}

Status Viewport::SetUniformScaling(bool on) {
    m_uniformScaling = on;
    return D3DRM_OK;
}

ViewPlane Viewport::EffectivePlane() const {
    if (!m_uniformScaling) {
        return m_plane;
    }
    const float width = static_cast<float>(m_width);
    const float height = static_cast<float>(m_height);
    ViewPlane plane = m_plane;
    if (m_width >= m_height) {
        const float halfHeight = (m_plane.right - m_plane.left) * height / width / 2.0f;
        const float centre = (m_plane.bottom + m_plane.top) / 2.0f;
        plane.bottom = centre - halfHeight;
        plane.top = centre + halfHeight;
    } else {
        const float halfWidth = (m_plane.top - m_plane.bottom) * width / height / 2.0f;
        const float centre = (m_plane.left + m_plane.right) / 2.0f;
        plane.left = centre - halfWidth;
        plane.right = centre + halfWidth;
    }
    return plane;
}

std::array<float, 16> Viewport::ProjectionMatrix() const {
    const ViewPlane p = EffectivePlane();
    const float d = m_front;
    const float f = m_back;
    std::array<float, 16> m{};
    m[0] = 2.0f * d / (p.right - p.left);
    m[8] = -(p.right + p.left) / (p.right - p.left);
    m[5] = 2.0f * d / (p.top - p.bottom);
    m[9] = -(p.top + p.bottom) / (p.top - p.bottom);
    m[10] = (f + d) / (f - d);
    m[14] = -2.0f * f * d / (f - d);
    m[11] = 1.0f;
    return m;
}

Status Viewport::Transform(Vector3 point, Vector3* screen) const {
    if (screen == nullptr) {
        return D3DRMERR_BADVALUE;
    }
    if (m_camera == nullptr) {
        return D3DRMERR_BADOBJECT;
    }
    const Vector3 c = m_camera->WorldTransform().Inverse().ApplyToPoint(point);
    if (!(c.z > 0.0f)) {
        return D3DRMERR_BADVALUE;
    }
    const ViewPlane p = EffectivePlane();
    const float xp = c.x * m_front / c.z;
    const float yp = c.y * m_front / c.z;
    const float f = m_back;
    const float d = m_front;
    // The depth buffer's value: 0 at the front plane, 1 at the back plane.
    const float ndcZ = ((f + d) / (f - d) * c.z - 2.0f * f * d / (f - d)) / c.z;
    *screen = {static_cast<float>(m_x) + (xp - p.left) / (p.right - p.left) * static_cast<float>(m_width),
               static_cast<float>(m_y) + (p.top - yp) / (p.top - p.bottom) * static_cast<float>(m_height),
               (ndcZ + 1.0f) / 2.0f};
    return D3DRM_OK;
}

Status Viewport::Clear() {
    if (m_device == nullptr) {
        return D3DRMERR_BADDEVICE;
    }
    return m_device->Clear(*this);
}

Status Viewport::Render(const Frame& scene) {
    if (m_device == nullptr) {
        return D3DRMERR_BADDEVICE;
    }
    if (m_camera == nullptr) {
        return D3DRMERR_BADOBJECT;
    }
    return m_device->Render(*this, scene);
}

}  // namespace roamer::rm
