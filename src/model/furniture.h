#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/shadow_cast.h"
#include "model/user_colour.h"
#include "platform/rm/retained_mode.h"

namespace roamer::model {

// The catalogue identity of a piece of furniture, as the design names it.
struct FurnitureKey {
    std::int32_t FurnitureID = 0;
    std::int32_t FurnitureTypeID = 0;
    std::int32_t VenderID = 0;
    std::string FurnitureName;  // code page 950 bytes
    std::string FurnitureFile;  // model file, written on Windows
    std::string SerialNo;
};

// A piece of furniture: a frame under the room frame placed at Position and turned by AngleXZ,
// and inside it a model frame tilted by AngleYZ that carries the model mesh.
class CFurniture {
public:
    // Types whose models keep their own horizontal placement instead of being centred.
    static constexpr std::int32_t kUncentredTypes[] = {81, 82};

    CFurniture(rm::RetainedMode& d3drm, rm::Frame* parentFrame);
    ~CFurniture();
    CFurniture(const CFurniture&) = delete;
    CFurniture& operator=(const CFurniture&) = delete;

    // Takes the loaded model: measures it, shows it, centres it (unless its type keeps its
    // placement) and resets the user size to the model's size and the user colour.
    void SetModel(std::shared_ptr<rm::MeshBuilder> mesh, const FurnitureKey& key);

    void SetPosition(rm::Vector3 position);
    rm::Vector3 GetPosition() const { return m_position; }
    void SetAngleXZ(double a);
    double GetAngleXZ() const { return m_angleXZ; }
    void SetAngleYZ(double b);
    double GetAngleYZ() const { return m_angleYZ; }
    // Scales the model from its loaded size to the size the user chose.
    void SetUserSize(double width, double depth, double height);
    // Keeps in every face colour only what the user colour lets through; scales the alpha.
    void ApplyUserColour(const UserColour& colour);
    // Shows `mesh` as it is, for the reflection of another piece: no centring, no sizing.
    void SetMirrorModel(std::shared_ptr<rm::MeshBuilder> mesh, const FurnitureKey& key);

    // The piece's reflection below the floor (null when it has none); owned by the piece.
    CFurniture* GetTwin() const { return m_twin.get(); }
    void SetTwin(std::unique_ptr<CFurniture> twin) { m_twin = std::move(twin); }

    const FurnitureKey& GetKey() const { return m_key; }
    const std::shared_ptr<rm::MeshBuilder>& GetMesh() const { return m_mesh; }
    rm::Frame* GetFrame() const { return m_frame; }
    rm::Frame* GetModelFrame() const { return m_modelFrame; }
    double GetModelWidth() const { return m_modelWidth; }
    double GetModelDepth() const { return m_modelDepth; }
    double GetModelHeight() const { return m_modelHeight; }

    double UserWidth = 0.0;
    double UserDepth = 0.0;
    double UserHeight = 0.0;
    UserColour UserColor;
    std::int32_t Shadow = 0;
    std::int32_t Reflect = 0;
    std::int32_t ShadowLightIndex = -1;
    // The shadow while one is cast; shown by the model frame so that it follows the tilt.
    CShadowCast ShadowCast;

private:
    rm::Frame* m_parentFrame;
    rm::Frame* m_frame = nullptr;       // owned by the parent frame; deleted from it here
    rm::Frame* m_modelFrame = nullptr;  // child of m_frame
    std::shared_ptr<rm::MeshBuilder> m_mesh;
    FurnitureKey m_key;
    rm::Vector3 m_position;
    double m_angleXZ = 0.0;
    double m_angleYZ = 0.0;
    double m_modelWidth = 0.0;
    double m_modelDepth = 0.0;
    double m_modelHeight = 0.0;
    // Declared last: destroyed after this piece's frame has left the scene.
    std::unique_ptr<CFurniture> m_twin;
};

// A scale factor from a wanted size and a present one; 1 when the present size is none (a
// flat model), so a mesh never turns into infinities.
float ScaleFactor(double wanted, double present);

}  // namespace roamer::model
