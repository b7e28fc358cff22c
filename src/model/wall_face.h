#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "model/face_obj.h"
#include "model/plan_types.h"

namespace roamer::model {

// One side of a wall: the outline its surfaces fill. Doors name wall faces by their index in
// the wall's list.
class CWallFace {
public:
    std::int32_t FaceType = 0;
    std::vector<rm::Vector3> VectorList;
    std::int32_t IsRefine = 0;
    float RefineScale = 25.0f;
    CDoubleArray DivideLine;

    int AddFace(std::unique_ptr<CFaceObj> face) {
        if (!face) return -5002;
        m_faces.push_back(std::move(face));
        return 0;
    }
    int GetFaceCount() const { return static_cast<int>(m_faces.size()); }
    CFaceObj* GetFace(int index) const {
        if (index < 0 || index >= GetFaceCount()) return nullptr;
        return m_faces[static_cast<std::size_t>(index)].get();
    }
    const std::vector<std::unique_ptr<CFaceObj>>& FaceList() const { return m_faces; }

private:
    std::vector<std::unique_ptr<CFaceObj>> m_faces;
};

}  // namespace roamer::model
