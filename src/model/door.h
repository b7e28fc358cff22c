#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/face_obj.h"

namespace roamer::model {

// The scene-space box of a door opening, as the passage test reads it.
struct DoorBox {
    double XMin = 0.0, XMax = 0.0, YMin = 0.0, YMax = 0.0, ZMin = 0.0, ZMax = 0.0;
    bool operator==(const DoorBox&) const = default;
};

// An opening in a wall. Top and Bottom are heights relative to the wall frame; Left and Right
// run along the wall, Depth across it; FaceType (1..4) says along which axis.
class CDoor {
public:
    DoorBox Box;
    std::int32_t FrontFaceIndex = 0;
    std::int32_t BackFaceIndex = 0;
    std::int32_t FaceType = 0;
    double Top = 0.0;
    double Bottom = 0.0;
    double Left = 0.0;
    double Right = 0.0;
    double Depth = 0.0;
    std::string DoorSideName;  // code page 950 bytes
    // The reveal surfaces exist (and are saved) only when this is not 0.
    std::int32_t IsShowFace = 1;

    int AddDoorFace(std::unique_ptr<CFaceObj> face) {
        if (!face) return -5002;
        m_faces.push_back(std::move(face));
        return 0;
    }
    int GetDoorFaceCount() const { return static_cast<int>(m_faces.size()); }
    const std::vector<std::unique_ptr<CFaceObj>>& DoorFaceList() const { return m_faces; }

private:
    std::vector<std::unique_ptr<CFaceObj>> m_faces;
};

}  // namespace roamer::model
