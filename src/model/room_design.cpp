#include "model/room_design.h"

namespace roamer::model {

CRoomDesign::CRoomDesign(rm::RetainedMode& d3drm, rm::Frame* roomFrame, rm::Frame* sceneFrame,
                         std::string designFolder, std::string workFolder)
    : m_d3drm(d3drm),
      m_roomFrame(roomFrame),
      m_sceneFrame(sceneFrame),
      m_designFolder(std::move(designFolder)),
      m_workFolder(std::move(workFolder)),
      m_textures(std::make_unique<TextureCache>(d3drm, m_designFolder)),
      m_lights(std::make_unique<render::CLightList>(d3drm, sceneFrame, m_workFolder)),
      m_furniture(std::make_unique<CFurnitureList>(d3drm, roomFrame, m_designFolder)),
      m_plants(std::make_unique<CPlantList>(d3drm, roomFrame, m_designFolder)) {}

void CRoomDesign::ResetFurniture() {
    m_furniture = std::make_unique<CFurnitureList>(m_d3drm, m_roomFrame, m_designFolder);
}

void CRoomDesign::ResetLights() {
    m_lightTwins.clear();
    m_lightReflect.clear();
    m_lights = std::make_unique<render::CLightList>(m_d3drm, m_sceneFrame, m_workFolder);
}

void CRoomDesign::ResetPlants() {
    m_plants = std::make_unique<CPlantList>(m_d3drm, m_roomFrame, m_designFolder);
}

std::int32_t CRoomDesign::GetLightReflect(const render::CLight* light) const {
    const auto found = m_lightReflect.find(light);
    return found == m_lightReflect.end() ? 0 : found->second;
}

void CRoomDesign::SetLightReflect(const render::CLight* light, std::int32_t reflect) {
    m_lightReflect[light] = reflect;
}

render::CLight* CRoomDesign::GetLightTwin(const render::CLight* light) const {
    const auto found = m_lightTwins.find(light);
    return found == m_lightTwins.end() ? nullptr : found->second.get();
}

void CRoomDesign::SetLightTwin(const render::CLight* light, std::unique_ptr<render::CLight> twin) {
    m_lightTwins[light] = std::move(twin);
}

void CRoomDesign::RemoveLightTwin(const render::CLight* light) { m_lightTwins.erase(light); }

void CRoomDesign::RemoveLight(const render::CLight* light) {
    m_lightTwins.erase(light);
    m_lightReflect.erase(light);
    m_lights->RemoveLight(light);
}

int CRoomDesign::RenderFaceCount() const {
    int count = 0;
    for (const auto& wall : m_walls) count += wall->GetMeshBuilder()->GetFaceCount();
    for (const auto& floor : m_floors) count += floor->GetMeshBuilder()->GetFaceCount();
    for (const auto& ceiling : m_ceilings) count += ceiling->GetMeshBuilder()->GetFaceCount();
    for (const auto& piece : m_furniture->Items())
        if (piece->GetMesh()) count += piece->GetMesh()->GetFaceCount();
    for (const auto& plant : m_plants->Items())
        if (plant->GetMesh()) count += plant->GetMesh()->GetFaceCount();
    return count;
}

}  // namespace roamer::model
