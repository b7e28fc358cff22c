#pragma once

namespace roamer::gl {

// At most this many non-ambient lights light a frame; ambient lights are summed without limit.
inline constexpr int kMaxLights = 32;

// The scene shaders come without their version line: the device puts it in front, with the
// defines of each variant (PIXEL_LIGHTS, DROP_TEXELS), then the lighting functions both stages
// share, then the stage's own source.
extern const char* const kSceneLighting;
extern const char* const kSceneVertexShader;
extern const char* const kSceneFragmentShader;
extern const char* const kShadowVertexShader;
extern const char* const kShadowFragmentShader;

}  // namespace roamer::gl
