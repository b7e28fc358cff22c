#pragma once

#include <cstdint>

namespace roamer::rm {

// Every operation of the retained-mode layer answers with a 32-bit status: 0, or one of the
// platform's codes 0x88760000 + n read as a signed number, so the values pass unchanged through
// the render engine to its error texts.
using Status = std::int32_t;

constexpr Status MakeStatus(std::uint32_t code) {
    return static_cast<Status>(0x88760000u + code);
}

inline constexpr Status D3DRM_OK = 0;
inline constexpr Status D3DRMERR_BADOBJECT = MakeStatus(781);
inline constexpr Status D3DRMERR_BADTYPE = MakeStatus(782);
inline constexpr Status D3DRMERR_BADALLOC = MakeStatus(783);
inline constexpr Status D3DRMERR_FACEUSED = MakeStatus(784);
inline constexpr Status D3DRMERR_NOTFOUND = MakeStatus(785);
inline constexpr Status D3DRMERR_NOTDONEYET = MakeStatus(786);
inline constexpr Status D3DRMERR_FILENOTFOUND = MakeStatus(787);
inline constexpr Status D3DRMERR_BADFILE = MakeStatus(788);
inline constexpr Status D3DRMERR_BADDEVICE = MakeStatus(789);
inline constexpr Status D3DRMERR_BADVALUE = MakeStatus(790);
inline constexpr Status D3DRMERR_BADMAJORVERSION = MakeStatus(791);
inline constexpr Status D3DRMERR_BADMINORVERSION = MakeStatus(792);
inline constexpr Status D3DRMERR_UNABLETOEXECUTE = MakeStatus(793);

constexpr bool Succeeded(Status status) { return status >= 0; }
constexpr bool Failed(Status status) { return status < 0; }

}  // namespace roamer::rm
