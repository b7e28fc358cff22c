#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/rm/color.h"
#include "platform/rm/frame.h"
#include "platform/rm/light.h"
#include "platform/rm/retained_mode.h"

namespace roamer::render {

// One light of a room design: a light frame under its parent (position and heading) and a beam
// frame inside it (tilt) that carries the render light. Destroying it takes the light and both
// frames out of the scene.
class CLight {
public:
    static constexpr double kStraightDown = -1.5707963;

    CLight(rm::RetainedMode& d3drm, rm::Frame* parentFrame, std::int32_t lightType,
           rm::Color color);
    ~CLight();
    CLight(const CLight&) = delete;
    CLight& operator=(const CLight&) = delete;

    void SetPosition(float x, float y, float z);
    rm::Vector3 GetPosition() const { return m_position; }
    // Stored normalised into [0, 2 pi); the light frame faces that heading.
    void SetAngleXZ(double a);
    double GetAngleXZ() const { return m_angleXZ; }
    // The beam frame tilts by b: the start value points straight down.
    void SetAngleYZ(double b);
    double GetAngleYZ() const { return m_angleYZ; }
    void SetUmbra(float angle);
    float GetUmbra() const { return m_umbra; }
    void SetPenumbra(float angle);
    float GetPenumbra() const { return m_penumbra; }

    std::int32_t GetLightType() const { return m_lightType; }
    rm::Color GetColor() const { return m_color; }
    rm::Frame* GetParentFrame() const { return m_parentFrame; }
    rm::Frame* GetLightFrame() const { return m_lightFrame; }
    rm::Frame* GetBeamFrame() const { return m_beamFrame; }
    // Null when the platform refused the light type.
    const std::shared_ptr<rm::Light>& GetRenderLight() const { return m_renderLight; }

private:
    rm::Frame* m_parentFrame;
    rm::Frame* m_lightFrame = nullptr;
    rm::Frame* m_beamFrame = nullptr;
    std::int32_t m_lightType;
    rm::Color m_color;
    std::shared_ptr<rm::Light> m_renderLight;
    rm::Vector3 m_position;
    double m_angleXZ = 0.0;
    double m_angleYZ = kStraightDown;
    float m_umbra = 0.4f;
    float m_penumbra = 0.5f;
};

// The lights of one design, in creation order.
class CLightList {
public:
    // `sceneFrame` is where copies made by CopyToScene hang.
    CLightList(rm::RetainedMode& d3drm, rm::Frame* sceneFrame, std::string folder = {});

    int Count() const { return static_cast<int>(m_lights.size()); }
    // Null for a negative index or one past the end.
    CLight* GetAt(int index) const;
    CLight* AddLight(rm::Frame* parentFrame, std::int32_t lightType, rm::Color color);
    // Nothing happens for a light that is not in the list.
    void RemoveLight(const CLight* light);
    void RemoveAll();
    // A new light under the scene frame with the same type and colour (and cone, for a spot);
    // its position and angles are the start values. The caller owns it.
    std::unique_ptr<CLight> CopyToScene(const CLight& light) const;
    const std::string& GetFolder() const { return m_folder; }

private:
    rm::RetainedMode& m_d3drm;
    rm::Frame* m_sceneFrame;
    std::string m_folder;
    std::vector<std::unique_ptr<CLight>> m_lights;
};

}  // namespace roamer::render
