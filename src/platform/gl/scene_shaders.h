#pragma once

namespace roamer::gl {

// At most this many non-ambient lights light a frame; ambient lights are summed without limit.
inline constexpr int kMaxLights = 32;

extern const char* const kSceneVertexShader;
// Without its version line: the device builds it twice, once with DROP_TEXELS defined.
extern const char* const kSceneFragmentShader;
extern const char* const kShadowVertexShader;
extern const char* const kShadowFragmentShader;

}  // namespace roamer::gl
