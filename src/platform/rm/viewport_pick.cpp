// Picking: which faces lie under a pixel.
#include <algorithm>

#include "platform/rm/frame.h"
#include "platform/rm/mesh_builder.h"
#include "platform/rm/viewport.h"

namespace roamer::rm {
namespace {

struct Ray {
    Vector3 origin;
    Vector3 direction;  // not normalised: its camera-space z is the front distance
};

// Möller–Trumbore, front sides only: the triangle's normal must face the ray.
bool HitsFrontOfTriangle(const Ray& ray, Vector3 v0, Vector3 v1, Vector3 v2, float* t) {
    const Vector3 e1 = v1 - v0;
    const Vector3 e2 = v2 - v0;
    if (DotProduct(ray.direction, CrossProduct(e1, e2)) >= 0.0f) {
        return false;
    }
    const Vector3 p = CrossProduct(ray.direction, e2);
    const float determinant = DotProduct(e1, p);
    if (determinant == 0.0f) {
        return false;
    }
    const float inverse = 1.0f / determinant;
    const Vector3 s = ray.origin - v0;
    const float u = DotProduct(s, p) * inverse;
    if (u < 0.0f || u > 1.0f) {
        return false;
    }
    const Vector3 q = CrossProduct(s, e1);
    const float v = DotProduct(ray.direction, q) * inverse;
    if (v < 0.0f || u + v > 1.0f) {
        return false;
    }
    *t = DotProduct(e2, q) * inverse;
    return true;
}

// The nearest ray parameter at which the face is hit from its front, or a negative value.
float NearestHit(const Ray& ray, const Face& face) {
    const auto& vertices = face.Vertices();
    float nearest = -1.0f;
    for (std::size_t k = 1; k + 1 < vertices.size(); ++k) {
        float t = 0.0f;
        if (HitsFrontOfTriangle(ray, vertices[0].position, vertices[k].position,
                                vertices[k + 1].position, &t) &&
            t > 0.0f && (nearest < 0.0f || t < nearest)) {
            nearest = t;
        }
    }
    return nearest;
}

}  // namespace

Status Viewport::Pick(int x, int y, std::vector<PickHit>* hits) const {
    if (hits == nullptr) {
        return D3DRMERR_BADVALUE;
    }
    hits->clear();
    if (m_camera == nullptr) {
        return D3DRMERR_BADOBJECT;
    }
    if (x < m_x || y < m_y || x >= m_x + m_width || y >= m_y + m_height) {
        return D3DRMERR_BADVALUE;
    }
    const ViewPlane plane = EffectivePlane();
    const float fx = (static_cast<float>(x - m_x) + 0.5f) / static_cast<float>(m_width);
    const float fy = (static_cast<float>(y - m_y) + 0.5f) / static_cast<float>(m_height);
    const Vector3 cameraDirection{plane.left + fx * (plane.right - plane.left),
                                  plane.top - fy * (plane.top - plane.bottom), m_front};
    const rm::Transform camera = m_camera->WorldTransform();
    const Ray worldRay{camera.origin, camera.ApplyToDirection(cameraDirection)};
    // Camera-space z along the ray is t·front; only hits between the clipping planes count.
    const float tMin = 1.0f;
    const float tMax = m_back / m_front;

    struct Pending {
        const Frame* frame;
        rm::Transform world;
        std::vector<const Frame*> path;
    };
    const Frame& scene = m_camera->GetScene();
    std::vector<Pending> pending{{&scene, scene.LocalTransform(), {&scene}}};
    while (!pending.empty()) {
        Pending item = std::move(pending.back());
        pending.pop_back();
        const rm::Transform toLocal = item.world.Inverse();
        const Ray ray{toLocal.ApplyToPoint(worldRay.origin),
                      toLocal.ApplyToDirection(worldRay.direction)};
        for (const auto& visual : item.frame->GetVisuals()) {
            if (visual->GetKind() != Visual::Kind::Mesh) {
                continue;
            }
            const auto& faces = static_cast<const MeshBuilder&>(*visual).Faces();
            for (std::size_t index = 0; index < faces.size(); ++index) {
                const float t = NearestHit(ray, *faces[index]);
                if (t < tMin || t > tMax) {
                    continue;
                }
                PickHit hit;
                hit.visual = visual;
                hit.frames = item.path;
                hit.faceIndex = static_cast<int>(index);
                hit.position = worldRay.origin + worldRay.direction * t;
                const float z = t * m_front;
                const float f = m_back;
                const float d = m_front;
                hit.depth = (((f + d) / (f - d) * z - 2.0f * f * d / (f - d)) / z + 1.0f) / 2.0f;
                hits->push_back(std::move(hit));
            }
        }
        for (const auto& child : item.frame->GetChildren()) {
            std::vector<const Frame*> path = item.path;
            path.push_back(child.get());
            pending.push_back({child.get(), child->LocalTransform().Then(item.world), std::move(path)});
        }
    }
    std::stable_sort(hits->begin(), hits->end(),
                     [](const PickHit& a, const PickHit& b) { return a.depth < b.depth; });
    return D3DRM_OK;
}

}  // namespace roamer::rm
