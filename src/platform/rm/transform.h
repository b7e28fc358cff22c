#pragma once

#include <array>

#include "platform/rm/vector.h"

namespace roamer::rm {

// A frame's placement in its parent: rotation rows (the frame's x, y and z axes in parent
// coordinates) and the origin. Points are row vectors, so a child point p lands in the parent
// at p.x·right + p.y·up + p.z·forward + origin. Frames are only moved and turned, never scaled,
// so the rotation stays orthonormal and its inverse is its transpose.
struct Transform {
    Vector3 right{1.0f, 0.0f, 0.0f};
    Vector3 up{0.0f, 1.0f, 0.0f};
    Vector3 forward{0.0f, 0.0f, 1.0f};
    Vector3 origin{};

    Vector3 ApplyToPoint(Vector3 p) const { return ApplyToDirection(p) + origin; }
    Vector3 ApplyToDirection(Vector3 d) const { return right * d.x + up * d.y + forward * d.z; }

    // This placement followed by `outer`: child-in-this, then this-in-outer.
    Transform Then(const Transform& outer) const {
        return {outer.ApplyToDirection(right), outer.ApplyToDirection(up),
                outer.ApplyToDirection(forward), outer.ApplyToPoint(origin)};
    }

    Transform Inverse() const {
        Transform inverse;
        inverse.right = {right.x, up.x, forward.x};
        inverse.up = {right.y, up.y, forward.y};
        inverse.forward = {right.z, up.z, forward.z};
        inverse.origin = -inverse.ApplyToDirection(origin);
        return inverse;
    }

    // Row-major 4x4 for row vectors; read as column-major by OpenGL it is the matching
    // column-vector matrix.
    std::array<float, 16> ToMatrix() const {
        return {right.x,  right.y,  right.z,  0.0f, up.x,     up.y,     up.z,     0.0f,
                forward.x, forward.y, forward.z, 0.0f, origin.x, origin.y, origin.z, 1.0f};
    }
};

}  // namespace roamer::rm
