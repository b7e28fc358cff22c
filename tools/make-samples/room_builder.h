#pragma once

#include <memory>
#include <string>

#include "model/room_design.h"
#include "platform/recording_host.h"

namespace roamer::samples {

// A surface finish: a texture of the design's folder (empty for none) and a colour.
struct Finish {
    int textureId = -1;
    std::string name;  // UTF-8; stored in code page 950
    std::string file;  // relative to the design, Windows separators
    rm::Color colour = 0xFFFFFFFF;
    float repeat = 100.0f;  // scene units per repeat of the picture
};

// Builds a design in memory with the room model's own classes, the way the design tool does,
// so that the design file writer can save it.
class RoomBuilder {
public:
    // `folder` holds the design's textures, models and pictures (they must exist already).
    explicit RoomBuilder(const std::string& folder);

    // A straight wall along x (at z0..z0 + thickness) or along z (at x0..x0 + thickness), from
    // `from` to `to` along it, `height` high, with door openings [left, right) along it up to
    // `doorTop`. Both sides take their finish; the top is plain.
    struct Opening {
        float left, right, top;
    };
    model::CWall& WallAlongX(float z0, float from, float to, float thickness, float height,
                             const Finish& front, const Finish& back,
                             std::vector<Opening> openings = {});
    model::CWall& WallAlongZ(float x0, float from, float to, float thickness, float height,
                             const Finish& front, const Finish& back,
                             std::vector<Opening> openings = {});
    // A rectangular floor at y = 0 or ceiling at `height`.
    model::CFloor& Floor(float x0, float z0, float x1, float z1, const Finish& finish,
                         double powerFlag);
    model::CCeiling& Ceiling(float x0, float z0, float x1, float z1, float height,
                             const Finish& finish);
    // A piece of furniture from a model file of the folder; null when it cannot be loaded.
    model::CFurniture* Furniture(int id, int typeId, const std::string& name,
                                 const std::string& file, rm::Vector3 position, double angle);
    render::CLight* Light(std::int32_t type, rm::Color colour, rm::Vector3 position,
                          double angleXZ = 0.0, double angleYZ = render::CLight::kStraightDown);
    model::CPlant* Plant(int id, const std::string& name, const std::string& file,
                         rm::Vector3 position, double angle);

    model::CRoomDesign& Design() { return *m_design; }
    RecordingHost& Host() { return m_host; }

private:
    std::unique_ptr<model::CFaceObj> Surface(const std::vector<rm::Vector3>& outline,
                                             const std::vector<std::vector<rm::Vector3>>& parts,
                                             rm::Vector3 up, rm::Vector3 into,
                                             const Finish& finish, float refine);
    model::CWall& Wall(bool alongX, float at, float from, float to, float thickness,
                       float height, const Finish& front, const Finish& back,
                       std::vector<Opening> openings);

    RecordingHost m_host;
    rm::RetainedMode m_d3drm;
    std::unique_ptr<rm::Frame> m_scene;
    std::unique_ptr<model::CRoomDesign> m_design;
};

}  // namespace roamer::samples
