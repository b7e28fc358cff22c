#include "nav/wall_collision.h"

#include <cmath>
#include <cstdlib>

namespace roamer::nav {
namespace {

struct PlanPoint {
    long x;
    long y;
};

long Truncate(double v) {
    // Far-away values cannot cross anything near; keep the arithmetic in range.
    if (!(std::fabs(v) < 1e12)) return v < 0 ? -1000000000000L : 1000000000000L;
    return static_cast<long>(v);
}

bool NearEnd(double x, double y, PlanPoint e) {
    return std::fabs(x - static_cast<double>(e.x)) <= 3.0 &&
           std::fabs(y - static_cast<double>(e.y)) <= 3.0;
}

// A point lies on segment (a, b) when it is near an end, or within the segment's box and no
// more than 2 units from its line.
bool OnSegment(double x, double y, PlanPoint a, PlanPoint b) {
    if (NearEnd(x, y, a) || NearEnd(x, y, b)) return true;
    if (a.x == b.x && a.y == b.y) return false;
    const double ax = static_cast<double>(a.x), ay = static_cast<double>(a.y);
    const double bx = static_cast<double>(b.x), by = static_cast<double>(b.y);
    if (a.x == b.x)
        return y >= std::min(ay, by) && y <= std::max(ay, by) && std::fabs(x - ax) <= 2.0;
    if (a.y == b.y)
        return x >= std::min(ax, bx) && x <= std::max(ax, bx) && std::fabs(y - ay) <= 2.0;
    if (x < std::min(ax, bx) || x > std::max(ax, bx) || y < std::min(ay, by) ||
        y > std::max(ay, by))
        return false;
    const double slope = (by - ay) / (bx - ax);
    const double lineY = ay + slope * (x - ax);
    const double lineX = ax + (y - ay) / slope;
    return std::fabs(y - lineY) <= 2.0 || std::fabs(x - lineX) <= 2.0;
}

// The meeting point of the lines through (a, b) and (c, d), if they meet.
bool Meet(PlanPoint a, PlanPoint b, PlanPoint c, PlanPoint d, double& x, double& y) {
    const bool v1 = a.x == b.x, h1 = a.y == b.y;
    const bool v2 = c.x == d.x, h2 = c.y == d.y;
    if ((v1 && v2) || (h1 && h2)) return false;
    const auto slope = [](PlanPoint p, PlanPoint q) {
        return static_cast<double>(q.y - p.y) / static_cast<double>(q.x - p.x);
    };
    if (v1) {
        x = static_cast<double>(a.x);
        y = h2 ? static_cast<double>(c.y)
               : static_cast<double>(c.y) + slope(c, d) * (x - static_cast<double>(c.x));
        return true;
    }
    if (v2) return Meet(c, d, a, b, x, y);
    if (h1) {
        y = static_cast<double>(a.y);
        x = static_cast<double>(c.x) + (y - static_cast<double>(c.y)) / slope(c, d);
        return true;
    }
    if (h2) return Meet(c, d, a, b, x, y);
    const double m1 = slope(a, b), m2 = slope(c, d);
    if (m1 == m2) return false;
    const double k1 = static_cast<double>(a.y) - m1 * static_cast<double>(a.x);
    const double k2 = static_cast<double>(c.y) - m2 * static_cast<double>(c.x);
    x = (k2 - k1) / (m1 - m2);
    y = m1 * x + k1;
    return std::isfinite(x) && std::isfinite(y);
}

}  // namespace

bool DoorBox::Contains(const rm::Vector3& p) const {
    return xMin <= p.x && p.x <= xMax && yMin <= p.y && p.y <= yMax && zMin <= p.z && p.z <= zMax;
}

bool CrossesOutline(long ox, long oz, long px, long pz, const std::vector<dsg::Point2d>& line) {
    if (px == ox && pz == oz) return false;
    const PlanPoint from{ox, oz}, to{px, pz};
    const std::size_t n = line.size();
    for (std::size_t i = 0; i < n; ++i) {
        const PlanPoint a{Truncate(line[i].x), Truncate(line[i].y)};
        const PlanPoint b{Truncate(line[(i + 1) % n].x), Truncate(line[(i + 1) % n].y)};
        double x = 0, y = 0;
        if (!Meet(a, b, from, to, x, y)) continue;
        const double cx = static_cast<double>(Truncate(x));
        const double cy = static_cast<double>(Truncate(y));
        if (OnSegment(cx, cy, a, b) && OnSegment(cx, cy, from, to)) return true;
    }
    return false;
}

namespace {

// Whole plan units of a scene coordinate, in the plan of a wall drawn at `twoDto3D`.
long PlanUnits(float v, double twoDto3D) { return Truncate(static_cast<double>(v) * twoDto3D); }

// Whether the plan motion from `from` to `to` is stopped by a wall: the first wall with a door
// holding either end lets it pass, whatever the walls after it.
bool Stops(const rm::Vector3& from, const rm::Vector3& to, const std::vector<CollisionWall>& walls) {
    for (const CollisionWall& wall : walls) {
        for (const DoorBox& door : wall.doors)
            if (door.Contains(to) || door.Contains(from)) return false;
        if (!(wall.bottom <= to.y && to.y <= wall.top)) continue;
        const double f = wall.twoDto3D;
        if (CrossesOutline(PlanUnits(from.x, f), PlanUnits(from.z, f), PlanUnits(to.x, f),
                           PlanUnits(to.z, f), wall.line))
            return true;
    }
    return false;
}

}  // namespace

rm::Vector3 CollideMove(const rm::Vector3& from, const rm::Vector3& to,
                        const std::vector<CollisionWall>& walls) {
    if (!Stops(from, to, walls)) return to;
    const rm::Vector3 snapped{static_cast<float>(Truncate(from.x)), to.y,
                              static_cast<float>(Truncate(from.z))};
    // In a fine plan the cut to whole scene units could itself reach through a thin wall.
    if (Stops({from.x, to.y, from.z}, snapped, walls)) return {from.x, to.y, from.z};
    return snapped;
}

}  // namespace roamer::nav
