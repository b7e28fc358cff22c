#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/user_colour.h"
#include "platform/host.h"
#include "platform/rm/retained_mode.h"

namespace roamer::model {

struct PlantKey {
    std::int32_t PlantID = -1;
    std::int32_t PlantTypeID = -1;
    std::string PlantName;  // code page 950 bytes
    std::string PlantFile;  // image file, written on Windows
};

// A plant: an upright picture, two crossed quads seen from both sides, in a frame under the
// room frame placed at the plant's foot and turned by FaceAngleXZ.
class CPlant {
public:
    CPlant(rm::RetainedMode& d3drm, rm::Frame* parentFrame);
    ~CPlant();
    CPlant(const CPlant&) = delete;
    CPlant& operator=(const CPlant&) = delete;

    // Builds the picture from a loaded image into a new mesh, checking the image's size; shows
    // the reason and returns -5002 when the image cannot be a plant.
    int BuildPicture(const PlantKey& key, const std::shared_ptr<rm::Texture>& texture, Host& host);
    // Takes a copy of another plant's picture at natural size (same PlantID).
    void TakePicture(const PlantKey& key, double pictureWidth, double pictureHeight,
                     std::shared_ptr<rm::MeshBuilder> mesh);
    // Shows the mesh and resets the user size to the natural size and the user colour.
    void Attach();

    void SetPosition(rm::Vector3 position);
    rm::Vector3 GetPosition() const { return m_position; }
    void SetFaceAngleXZ(double a);
    double GetFaceAngleXZ() const { return m_faceAngleXZ; }
    void SetUserSize(double width, double depth, double height);
    // Sets every face's alpha to the user alpha; the user red, green and blue are only kept.
    void ApplyUserAlpha(const UserColour& colour);

    const PlantKey& GetKey() const { return m_key; }
    double GetPictureWidth() const { return m_pictureWidth; }
    double GetPictureHeight() const { return m_pictureHeight; }
    double GetBaseHeight() const { return m_baseHeight; }
    const std::shared_ptr<rm::MeshBuilder>& GetMesh() const { return m_mesh; }
    rm::Frame* GetFrame() const { return m_frame; }

    double UserWidth = 0.0;
    double UserDepth = 0.0;
    double UserHeight = 0.0;
    UserColour UserColor;
    std::int32_t Reflect = 0;

    // The plant's reflection below the floor (null when it has none); owned by the plant.
    CPlant* GetTwin() const { return m_twin.get(); }
    void SetTwin(std::unique_ptr<CPlant> twin) { m_twin = std::move(twin); }

private:
    rm::RetainedMode& m_d3drm;
    rm::Frame* m_parentFrame;
    rm::Frame* m_frame = nullptr;  // owned by the parent frame; deleted from it here
    std::shared_ptr<rm::MeshBuilder> m_mesh;
    PlantKey m_key;
    rm::Vector3 m_position;
    double m_faceAngleXZ = 0.0;
    double m_pictureWidth = 0.0;
    double m_pictureHeight = 0.0;
    double m_baseHeight = 0.0;
    std::unique_ptr<CPlant> m_twin;
};

}  // namespace roamer::model
