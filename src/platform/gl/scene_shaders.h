#pragma once

namespace roamer::gl {

// Each non-ambient light takes this many uniform vectors in each stage (colour, position,
// direction, cone); ambient lights are summed into one colour without limit.
inline constexpr int kUniformVectorsPerLight = 4;
// How many non-ambient lights a frame may have: as many as the context's uniform space holds
// beside the other uniforms, within these bounds (every OpenGL 3.3 context holds the least).
inline constexpr int kFewestLights = 32;
inline constexpr int kMostLights = 256;

// The scene shaders come without their version line: the device puts it in front, with the
// defines of each variant (LIGHT_COUNT, VERTEX_LIGHTS, LIGHT_ARRAY_SIZE, LIGHT_TYPES,
// PIXEL_LIGHTS, DROP_TEXELS), then the lighting functions
// both stages share, then the stage's own source.
extern const char* const kSceneLighting;
extern const char* const kSceneVertexShader;
extern const char* const kSceneFragmentShader;
extern const char* const kShadowVertexShader;
extern const char* const kShadowFragmentShader;

}  // namespace roamer::gl
