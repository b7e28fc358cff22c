#pragma once

#include <cmath>

namespace roamer::rm {

struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    friend Vector3 operator+(Vector3 a, Vector3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
    friend Vector3 operator-(Vector3 a, Vector3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
    friend Vector3 operator-(Vector3 a) { return {-a.x, -a.y, -a.z}; }
    friend Vector3 operator*(Vector3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
    friend Vector3 operator*(float s, Vector3 a) { return a * s; }
    friend bool operator==(Vector3 a, Vector3 b) = default;
};

inline float DotProduct(Vector3 a, Vector3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The ordinary cross product; with left-handed axes x × y is still z.
inline Vector3 CrossProduct(Vector3 a, Vector3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline float VectorLength(Vector3 a) { return std::sqrt(DotProduct(a, a)); }

// A zero vector stays zero: callers check for it where a direction is required.
inline Vector3 VectorNormalize(Vector3 a) {
    const float length = VectorLength(a);
    if (!(length > 0.0f) || !std::isfinite(length)) {
        return {};
    }
    return a * (1.0f / length);
}

inline bool IsZero(Vector3 a) { return a.x == 0.0f && a.y == 0.0f && a.z == 0.0f; }

// The axes an orientation names: z along `direction`, y the part of `up` square to it, x = y × z.
// False when direction is zero or up is parallel to it. Parallel means to within rounding: the
// square part of a parallel up is rounding noise, and normalising it would give skewed axes.
inline bool OrientationAxes(Vector3 direction, Vector3 up, Vector3* x, Vector3* y, Vector3* z) {
    const Vector3 forward = VectorNormalize(direction);
    const Vector3 square = up - forward * DotProduct(up, forward);
    if (IsZero(forward) || !(VectorLength(square) > 1e-5f * VectorLength(up))) {
        return false;
    }
    *z = forward;
    *y = VectorNormalize(square);
    *x = CrossProduct(*y, *z);
    return true;
}

}  // namespace roamer::rm
