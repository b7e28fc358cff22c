#pragma once

#include <cstdint>
#include <memory>

#include "platform/rm/face.h"
#include "platform/rm/status.h"
#include "platform/rm/vector.h"

namespace roamer::rm {

enum WrapType : std::int32_t {
    D3DRMWRAP_FLAT = 0,
    D3DRMWRAP_CYLINDER = 1,
    D3DRMWRAP_SPHERE = 2,
    D3DRMWRAP_CHROME = 3,
};

// A flat texture wrap: axes O (origin), Z (direction), Y (up made perpendicular to Z) and
// X = Y × Z. A vertex p gets u = su·((p - O)·X) - ou and v = sv·((p - O)·Y) - ov.
class Wrap {
public:
    // Only flat wraps are made (the scenes use no other kind): other types give
    // D3DRMERR_BADVALUE, as do a zero direction or an up vector parallel to it.
    static Status Create(WrapType type, Vector3 origin, Vector3 direction, Vector3 up, float ou,
                         float ov, float su, float sv, std::unique_ptr<Wrap>* wrap);

    // Sets the face's texture coordinates once, from where its vertices stand now.
    Status Apply(Face& face) const;
    // The coordinates a point gets.
    void Map(Vector3 point, float* u, float* v) const;

    Vector3 AxisX() const { return m_x; }
    Vector3 AxisY() const { return m_y; }

private:
    Wrap() = default;

    Vector3 m_origin;
    Vector3 m_x;
    Vector3 m_y;
    float m_ou = 0.0f;
    float m_ov = 0.0f;
    float m_su = 1.0f;
    float m_sv = 1.0f;
};

}  // namespace roamer::rm
