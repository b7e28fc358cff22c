// Models that stand in a door opening are scaled to fill it: those at the opening's centre take
// its width, height and half the wall's depth; those at either end its width and height.
#include <cmath>

#include "app/design_session.h"

namespace roamer::app {
namespace {

using model::CWall;

void FitModel(const model::CFurniture& piece, const model::CDoor& door, bool depthToo) {
    rm::Box box;
    if (!piece.GetMesh() || rm::Failed(piece.GetMesh()->GetBox(&box))) return;
    const double width = std::fabs(door.Left - door.Right);
    const double height = std::fabs(door.Top - door.Bottom);
    const double depth = door.Depth / 2.0;
    const float sx = model::ScaleFactor(width, static_cast<double>(box.max.x - box.min.x));
    const float sy = model::ScaleFactor(height, static_cast<double>(box.max.y - box.min.y));
    const float sz =
        depthToo ? model::ScaleFactor(depth, static_cast<double>(box.max.z - box.min.z)) : 1.0f;
    piece.GetMesh()->Scale(sx, sy, sz);
}

}  // namespace

void DesignSession::FitDoorModels() {
    const auto& walls = m_design->Walls();
    const auto& pieces = m_design->Furniture().Items();
    for (const auto& wall : walls) {
        for (const auto& door : wall->DoorList()) {
            const rm::Vector3 centre = wall->DoorReferencePoint(*door, CWall::DoorPoint::kCentre);
            for (const auto& piece : pieces)
                if (model::IsNear(piece->GetPosition(), centre)) FitModel(*piece, *door, true);
        }
    }
    for (const auto& wall : walls) {
        for (const auto& door : wall->DoorList()) {
            const rm::Vector3 left = wall->DoorReferencePoint(*door, CWall::DoorPoint::kLeft);
            const rm::Vector3 right = wall->DoorReferencePoint(*door, CWall::DoorPoint::kRight);
            for (const auto& piece : pieces)
                if (model::IsNear(piece->GetPosition(), left) ||
                    model::IsNear(piece->GetPosition(), right))
                    FitModel(*piece, *door, false);
        }
    }
}

}  // namespace roamer::app
