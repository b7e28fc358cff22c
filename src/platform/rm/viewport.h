#pragma once

#include <array>
#include <memory>
#include <vector>

#include "platform/rm/status.h"
#include "platform/rm/vector.h"
#include "platform/rm/visual.h"

namespace roamer::rm {

class Device;
class Frame;

// One hit of a pick, nearest first.
struct PickHit {
    std::shared_ptr<Visual> visual;
    std::vector<const Frame*> frames;  // from the scene down to the frame holding the visual
    int faceIndex = -1;
    Vector3 position;   // in scene coordinates
    float depth = 0.0f;  // 0 at the front clipping plane, 1 at the back one
};

struct ViewPlane {
    float left = -0.5f;
    float right = 0.5f;
    float bottom = -0.5f;
    float top = 0.5f;
};

// A rectangle of a device seen through a camera frame. The camera looks along its +z axis,
// y up. A camera-space point (x, y, z) lands on the front plane (distance D) at (x·D/z, y·D/z),
// and from the viewing window (l, r, b, t) on that plane at pixel ((xp - l)/(r - l)·W,
// (t - yp)/(t - b)·H), row 0 at the top. Depth runs from 0 at the front plane to 1 at the back.
class Viewport {
public:
    // The device may be null (for measuring and picking without drawing); the camera must
    // outlive the viewport.
    Viewport(Device* device, Frame* camera, int x, int y, int width, int height);

    Status SetCamera(Frame* camera);
    Frame* GetCamera() const { return m_camera; }
    Device* GetDevice() const { return m_device; }
    int GetX() const { return m_x; }
    int GetY() const { return m_y; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }

    // The front plane must lie in front of the back plane and beyond 0.
    Status SetFront(float distance);
    float GetFront() const { return m_front; }
    Status SetBack(float distance);
    float GetBack() const { return m_back; }
    // The viewing window from -field to +field on both axes.
    Status SetField(float field);
    float GetField() const;
    Status SetPlane(float left, float right, float bottom, float top);
    Status GetPlane(float* left, float* right, float* bottom, float* top) const;
    // With uniform scaling on, both axes use the scale of the larger viewport side.
    Status SetUniformScaling(bool on);
    bool GetUniformScaling() const { return m_uniformScaling; }

    // The window actually mapped onto the viewport (differs from the plane with uniform
    // scaling on).
    ViewPlane EffectivePlane() const;
    // Column-vector clip-space projection for camera-space points (OpenGL's layout).
    std::array<float, 16> ProjectionMatrix() const;

    // Scene point -> (pixel x, pixel y, depth) in device pixels; D3DRMERR_BADVALUE for a point
    // not in front of the camera, D3DRMERR_BADOBJECT without a camera.
    Status Transform(Vector3 point, Vector3* screen) const;

    // The faces hit by a ray from the camera through the centre of device pixel (x, y): only
    // front sides, only between the clipping planes; nearest first. An empty list when nothing
    // is hit; D3DRMERR_BADVALUE for a pixel outside the viewport.
    Status Pick(int x, int y, std::vector<PickHit>* hits) const;

    Status Clear();
    Status Render(const Frame& scene);

private:
    Device* m_device;
    Frame* m_camera;
    int m_x;
    int m_y;
    int m_width;
    int m_height;
    float m_front = 1.0f;
    float m_back = 100.0f;
    ViewPlane m_plane;
    bool m_uniformScaling = true;
};

}  // namespace roamer::rm
