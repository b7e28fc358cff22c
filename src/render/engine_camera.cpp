// The viewer's two frames: the parent camera frame stands and turns on the floor plan, the camera
// frame inside it only tilts, so a tilt never changes the direction of walking.
#include "render/render_engine.h"

#include "render/engine_status.h"

namespace roamer::render {

std::int32_t RenderEngine::SetCameraOrientation(float dx, float dy, float dz, float ux, float uy,
                                                float uz) {
    if (m_lpRMCamera == nullptr) return ShowFailure(kNoScene, "Set Camera orientation failed!");
    const std::int32_t s =
        m_lpRMCamera->SetOrientation(m_lpRMParentCamera, {dx, dy, dz}, {ux, uy, uz});
    return s < 0 ? ShowFailure(s, "Set Camera orientation failed!") : 0;
}

std::int32_t RenderEngine::SetParentCameraPosition(float x, float y, float z) {
    if (m_lpRMParentCamera == nullptr)
        return ShowFailure(kNoScene, "Set Parent Camera position failed!");
    const std::int32_t s = m_lpRMParentCamera->SetPosition(m_lpRMScene.get(), x, y, z);
    return s < 0 ? ShowFailure(s, "Set Parent Camera position failed!") : 0;
}

std::int32_t RenderEngine::GetParentCameraPosition(rm::Vector3* position) {
    if (m_lpRMParentCamera == nullptr || position == nullptr)
        return ShowFailure(kNoScene, "Get Parent Camera position failed!");
    const std::int32_t s = m_lpRMParentCamera->GetPosition(m_lpRMScene.get(), position);
    return s < 0 ? ShowFailure(s, "Get Parent Camera position failed!") : 0;
}

std::int32_t RenderEngine::SetParentCameraOrientation(float dx, float dy, float dz, float ux,
                                                      float uy, float uz) {
    if (m_lpRMParentCamera == nullptr)
        return ShowFailure(kNoScene, "Set Parent Camera orientation failed!");
    const std::int32_t s =
        m_lpRMParentCamera->SetOrientation(m_lpRMScene.get(), {dx, dy, dz}, {ux, uy, uz});
    return s < 0 ? ShowFailure(s, "Set Parent Camera orientation failed!") : 0;
}

}  // namespace roamer::render
