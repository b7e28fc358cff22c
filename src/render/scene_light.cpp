#include "render/scene_light.h"

#include <algorithm>

#include "render/angles.h"

namespace roamer::render {

CLight::CLight(rm::RetainedMode& d3drm, rm::Frame* parentFrame, std::int32_t lightType,
               rm::Color color)
    : m_parentFrame(parentFrame), m_lightType(lightType), m_color(color) {
    if (parentFrame != nullptr) {
        d3drm.CreateFrame(parentFrame, &m_lightFrame);
        if (m_lightFrame != nullptr) d3drm.CreateFrame(m_lightFrame, &m_beamFrame);
    }
    SetAngleXZ(0.0);
    SetAngleYZ(kStraightDown);
    // A light the platform refuses is still listed; it just gives no light.
    if (rm::IsValidLightType(lightType))
        d3drm.CreateLight(static_cast<rm::LightType>(lightType), color, &m_renderLight);
    if (m_renderLight && m_beamFrame != nullptr) m_beamFrame->AddLight(m_renderLight);
}

CLight::~CLight() {
    if (m_beamFrame != nullptr && m_renderLight) m_beamFrame->DeleteLight(m_renderLight.get());
    if (m_parentFrame != nullptr && m_lightFrame != nullptr) m_parentFrame->DeleteChild(m_lightFrame);
}

void CLight::SetPosition(float x, float y, float z) {
    m_position = {x, y, z};
    if (m_lightFrame != nullptr) m_lightFrame->SetPosition(m_parentFrame, x, y, z);
}

void CLight::SetAngleXZ(double a) {
    m_angleXZ = NormalizeHeading(a);
    if (m_lightFrame != nullptr)
        m_lightFrame->SetOrientation(m_parentFrame, HeadingDirection(m_angleXZ), {0.0f, 1.0f, 0.0f});
}

void CLight::SetAngleYZ(double b) {
    m_angleYZ = NormalizeTilt(b);
    if (m_beamFrame != nullptr)
        m_beamFrame->SetOrientation(m_lightFrame, TiltDirection(m_angleYZ), TiltUp(m_angleYZ));
}

void CLight::SetUmbra(float angle) {
    m_umbra = angle;
    if (m_renderLight) m_renderLight->SetUmbra(angle);
}

void CLight::SetPenumbra(float angle) {
    m_penumbra = angle;
    if (m_renderLight) m_renderLight->SetPenumbra(angle);
}

CLightList::CLightList(rm::RetainedMode& d3drm, rm::Frame* sceneFrame, std::string folder)
    : m_d3drm(d3drm), m_sceneFrame(sceneFrame), m_folder(std::move(folder)) {}

CLight* CLightList::GetAt(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return m_lights[static_cast<std::size_t>(index)].get();
}

CLight* CLightList::AddLight(rm::Frame* parentFrame, std::int32_t lightType, rm::Color color) {
    m_lights.push_back(std::make_unique<CLight>(m_d3drm, parentFrame, lightType, color));
    return m_lights.back().get();
}

void CLightList::RemoveLight(const CLight* light) {
    const auto it = std::find_if(m_lights.begin(), m_lights.end(),
                                 [light](const auto& owned) { return owned.get() == light; });
    if (it != m_lights.end()) m_lights.erase(it);
}

void CLightList::RemoveAll() {
    // First to last, as they were made.
    for (auto& light : m_lights) light.reset();
    m_lights.clear();
}

std::unique_ptr<CLight> CLightList::CopyToScene(const CLight& light) const {
    auto copy = std::make_unique<CLight>(m_d3drm, m_sceneFrame, light.GetLightType(),
                                         light.GetColor());
    if (light.GetLightType() == rm::D3DRMLIGHT_SPOT) {
        copy->SetPenumbra(light.GetPenumbra());
        copy->SetUmbra(light.GetUmbra());
    }
    return copy;
}

}  // namespace roamer::render
