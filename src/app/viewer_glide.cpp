#include "app/viewer_glide.h"

#include <cmath>

#include "render/angles.h"

namespace roamer::app {
namespace {

float Between(float a, float b, double s) {
    return static_cast<float>(static_cast<double>(a) + (static_cast<double>(b) - a) * s);
}

}  // namespace

ViewerState GlideBetween(const ViewerState& from, const ViewerState& to, double s) {
    ViewerState v;
    v.position = {Between(from.position.x, to.position.x, s),
                  Between(from.position.y, to.position.y, s),
                  Between(from.position.z, to.position.z, s)};
    // The turn as the shortest signed angle, so 6.2 to 0.1 turns 0.18 left, not 6.1 right.
    const double turn = std::remainder(to.heading - from.heading, render::kTwoPi);
    v.heading = render::NormalizeHeading(from.heading + turn * s);
    v.pitch = from.pitch + (to.pitch - from.pitch) * s;
    return v;
}

bool SameView(const ViewerState& a, const ViewerState& b) {
    return a.position.x == b.position.x && a.position.y == b.position.y &&
           a.position.z == b.position.z && a.heading == b.heading && a.pitch == b.pitch;
}

}  // namespace roamer::app
