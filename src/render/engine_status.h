#pragma once

#include <cstdint>

namespace roamer::render {

// The render engine's own statuses; platform statuses pass through unchanged.
inline constexpr std::int32_t kNoWindow = -2001;
inline constexpr std::int32_t kBadWidth = -2002;
inline constexpr std::int32_t kBadHeight = -2003;
inline constexpr std::int32_t kNoDisplay = -2101;
inline constexpr std::int32_t kNoDirect3D = -2102;
inline constexpr std::int32_t kNoD3DRM = -2103;
inline constexpr std::int32_t kNoDevice = -2108;
inline constexpr std::int32_t kNoViewport = -2109;
inline constexpr std::int32_t kNoClipper = -2110;
inline constexpr std::int32_t kNoDriver = -2111;
inline constexpr std::int32_t kNoScene = -2121;
inline constexpr std::int32_t kQualityWithoutDevice = -5002;

}  // namespace roamer::render
