#pragma once

namespace roamer::gl {

// At most this many non-ambient lights light a frame; ambient lights are summed without limit.
inline constexpr int kMaxLights = 32;

extern const char* const kSceneVertexShader;
extern const char* const kSceneFragmentShader;
extern const char* const kShadowVertexShader;
extern const char* const kShadowFragmentShader;

}  // namespace roamer::gl
