#pragma once

#include <vector>

#include "dsg/tagged_text_file.h"
#include "platform/rm/vector.h"

namespace roamer::nav {

// A door opening's box in scene coordinates, bounds included.
struct DoorBox {
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0, zMin = 0, zMax = 0;
    bool Contains(const rm::Vector3& p) const;
};

// What the collision test needs to know of a wall: its plan outline with the wall's own plan
// units per scene unit, the heights it spans and the boxes of its door openings.
struct CollisionWall {
    std::vector<dsg::Point2d> line;
    double twoDto3D = 1.0;
    double top = 0.0;
    double bottom = 0.0;
    std::vector<DoorBox> doors;
};

// Where the viewer ends up when moving from `from` to `to` among `walls`: `to`, unless a wall
// spanning the new height stands across the way (in that wall's plan) and neither end lies in one
// of its doors; then the old plan position cut to whole scene units, at the new height (or the old
// plan position itself when the cut would cross a wall).
rm::Vector3 CollideMove(const rm::Vector3& from, const rm::Vector3& to,
                        const std::vector<CollisionWall>& walls);

// Whether the plan motion from (ox, oz) to (px, pz) crosses the closed outline `line` (its
// points cut to whole numbers).
bool CrossesOutline(long ox, long oz, long px, long pz, const std::vector<dsg::Point2d>& line);

}  // namespace roamer::nav
