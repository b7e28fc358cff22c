#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/build_context.h"
#include "model/furniture_list.h"
#include "model/level_surface.h"
#include "model/plant_list.h"
#include "model/texture_cache.h"
#include "model/wall.h"
#include "render/scene_light.h"

namespace roamer::model {

// The containers of the design now loaded: walls, floors, ceilings, lights, the texture cache,
// furniture and plants, each in file order, all built under the room frame. Destroying it takes
// everything of the design out of the scene.
class CRoomDesign {
public:
    // `designFolder` is where the design's textures, models and pictures are found;
    // `workFolder` is kept by the light list.
    CRoomDesign(rm::RetainedMode& d3drm, rm::Frame* roomFrame, rm::Frame* sceneFrame,
                std::string designFolder, std::string workFolder);
    CRoomDesign(const CRoomDesign&) = delete;
    CRoomDesign& operator=(const CRoomDesign&) = delete;

    std::vector<std::unique_ptr<CWall>>& Walls() { return m_walls; }
    std::vector<std::unique_ptr<CFloor>>& Floors() { return m_floors; }
    std::vector<std::unique_ptr<CCeiling>>& Ceilings() { return m_ceilings; }
    const std::vector<std::unique_ptr<CWall>>& Walls() const { return m_walls; }
    const std::vector<std::unique_ptr<CFloor>>& Floors() const { return m_floors; }
    const std::vector<std::unique_ptr<CCeiling>>& Ceilings() const { return m_ceilings; }
    render::CLightList& Lights() { return *m_lights; }
    const render::CLightList& Lights() const { return *m_lights; }
    TextureCache& Textures() { return *m_textures; }
    const TextureCache& Textures() const { return *m_textures; }
    CFurnitureList& Furniture() { return *m_furniture; }
    const CFurnitureList& Furniture() const { return *m_furniture; }
    CPlantList& Plants() { return *m_plants; }
    const CPlantList& Plants() const { return *m_plants; }

    // Replace one list by a new empty one (a failed load drops what it had read); the texture
    // cache stays.
    void ResetWalls() { m_walls.clear(); }
    void ResetFloors() { m_floors.clear(); }
    void ResetCeilings() { m_ceilings.clear(); }
    void ResetFurniture();
    void ResetLights();
    void ResetPlants();

    // The reflection flag of a light of this design (lights themselves belong to the render
    // layer, which has no use for it).
    std::int32_t GetLightReflect(const render::CLight* light) const;
    void SetLightReflect(const render::CLight* light, std::int32_t reflect);
    void RemoveLight(const render::CLight* light);
    // The reflection of a light of this design: a light of its own below the floor.
    render::CLight* GetLightTwin(const render::CLight* light) const;
    void SetLightTwin(const render::CLight* light, std::unique_ptr<render::CLight> twin);
    void RemoveLightTwin(const render::CLight* light);

    // The format version of the file this design was read from; 0 while it holds no design
    // that was read whole. Saving keeps the user's sizes and colours only for a design whose
    // file had them.
    double GetSourceVersion() const { return m_sourceVersion; }
    void SetSourceVersion(double version) { m_sourceVersion = version; }

    rm::RetainedMode& D3DRM() const { return m_d3drm; }
    rm::Frame* RoomFrame() const { return m_roomFrame; }
    const std::string& DesignFolder() const { return m_designFolder; }
    // What building this design's surfaces needs; `host` shows the builder's messages.
    BuildContext Context(Host& host) { return {m_d3drm, host, *m_textures, m_cells}; }
    // Every render face the design's walls, floors, ceilings, furniture and plants hold.
    int RenderFaceCount() const;

private:
    rm::RetainedMode& m_d3drm;
    rm::Frame* m_roomFrame;
    rm::Frame* m_sceneFrame;
    std::string m_designFolder;
    std::string m_workFolder;
    CellBudget m_cells;
    double m_sourceVersion = 0.0;
    // The texture cache is declared first so that it outlives every face that shows its
    // textures; the lists are destroyed in reverse order of declaration.
    std::unique_ptr<TextureCache> m_textures;
    std::vector<std::unique_ptr<CWall>> m_walls;
    std::vector<std::unique_ptr<CFloor>> m_floors;
    std::vector<std::unique_ptr<CCeiling>> m_ceilings;
    std::unique_ptr<render::CLightList> m_lights;
    std::map<const render::CLight*, std::int32_t> m_lightReflect;
    // After the lights: the reflections go first.
    std::map<const render::CLight*, std::unique_ptr<render::CLight>> m_lightTwins;
    std::unique_ptr<CFurnitureList> m_furniture;
    std::unique_ptr<CPlantList> m_plants;
};

}  // namespace roamer::model
