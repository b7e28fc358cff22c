#include "platform/gl/scene_shaders.h"

namespace roamer::gl {

// Lit colour = face colour x (ambient + sum of light colour x max(0, N.L) x spot factor), each
// channel at most 1; a texture multiplies it texel by texel. No attenuation, no specular.
// Lights [0, VERTEX_LIGHTS) are summed at the vertices (their direction is the same all over
// an object, so a flat face gets the same colour as lighting every pixel would give it); the
// rest, up to LIGHT_COUNT, at every pixel (only in programs built with PIXEL_LIGHTS).
// The counts and each light's type are constants of the program: the compiler then unrolls the
// sums and drops the other types' branches, which halves a pixel's cost in software rasterizers.
const char* const kSceneLighting = R"(
uniform vec3 u_ambient;
uniform vec3 u_lightColor[LIGHT_ARRAY_SIZE];
uniform vec3 u_lightPosition[LIGHT_ARRAY_SIZE];
uniform vec3 u_lightDirection[LIGHT_ARRAY_SIZE];
uniform vec2 u_lightCone[LIGHT_ARRAY_SIZE];   // cosines of half the umbra and half the penumbra
uniform vec3 u_objectOrigin;
const int kLightType[LIGHT_ARRAY_SIZE] = int[](LIGHT_TYPES);

float SpotFactor(int i, vec3 towardsLight) {
    float c = dot(-towardsLight, u_lightDirection[i]);
    float inner = u_lightCone[i].x;
    float outer = u_lightCone[i].y;
    if (c >= inner) return 1.0;
    if (c <= outer) return 0.0;
    return (c - outer) / (inner - outer);
}

// What light i adds at a point with unit normal n.
vec3 LightFrom(int i, vec3 n, vec3 position) {
    vec3 towardsLight;
    float factor = 1.0;
    int type = kLightType[i];
    if (type == 3) {
        towardsLight = -u_lightDirection[i];
    } else if (type == 4) {
        towardsLight = normalize(u_lightPosition[i] - u_objectOrigin);
    } else {
        towardsLight = normalize(u_lightPosition[i] - position);
        if (type == 2) factor = SpotFactor(i, towardsLight);
    }
    return u_lightColor[i] * max(dot(n, towardsLight), 0.0) * factor;
}
)";

const char* const kSceneVertexShader = R"(
layout(location = 0) in vec3 a_position;
layout(location = 1) in vec3 a_normal;
layout(location = 2) in vec3 a_faceNormal;
layout(location = 3) in vec2 a_uv;
layout(location = 4) in vec4 a_color;
uniform mat4 u_model;       // rigid: its upper 3x3 also turns normals
uniform mat4 u_view;
uniform mat4 u_projection;
uniform bool u_lighting;
uniform bool u_flatShading;
uniform bool u_opaqueAlpha;
out vec2 v_uv;
#ifdef PIXEL_LIGHTS
out vec3 v_worldPosition;
out vec3 v_normal;
out vec3 v_vertexLight;   // not yet clamped: the pixel's own lights are added first
#endif
out vec4 v_color;
void main() {
    vec4 world = u_model * vec4(a_position, 1.0);
    vec3 normal = mat3(u_model) * (u_flatShading ? a_faceNormal : a_normal);
    vec3 n = normalize(normal);
    vec3 light = vec3(1.0);
    if (u_lighting) {
        light = u_ambient;
        for (int i = 0; i < VERTEX_LIGHTS; ++i) light += LightFrom(i, n, world.xyz);
    }
    float alpha = u_opaqueAlpha ? 1.0 : a_color.a;
#ifdef PIXEL_LIGHTS
    v_worldPosition = world.xyz;
    v_normal = normal;   // normalised per pixel, so longer normals weigh more, as they always did
    v_vertexLight = light;
    v_color = vec4(a_color.rgb, alpha);
#else
    v_color = vec4(a_color.rgb * min(light, vec3(1.0)), alpha);
#endif
    v_uv = a_uv;
    gl_Position = u_projection * u_view * world;
}
)";

// Without PIXEL_LIGHTS a pixel costs one texture fetch and one multiply, which is what keeps
// software rasterizers fast.
const char* const kSceneFragmentShader = R"(
in vec2 v_uv;
#ifdef PIXEL_LIGHTS
in vec3 v_worldPosition;
in vec3 v_normal;
in vec3 v_vertexLight;
#endif
in vec4 v_color;
uniform sampler2D u_texture;
out vec4 fragment;

void main() {
    vec4 texel = texture(u_texture, v_uv);
#ifdef DROP_TEXELS
    if (texel.a < 0.5) discard;   // colour-keyed texels are not drawn at all
#endif
#ifdef PIXEL_LIGHTS
    vec3 n = normalize(v_normal);
    vec3 light = v_vertexLight;
    for (int i = VERTEX_LIGHTS; i < LIGHT_COUNT; ++i) light += LightFrom(i, n, v_worldPosition);
    fragment = vec4(v_color.rgb * min(light, vec3(1.0)) * texel.rgb, v_color.a);
#else
    fragment = vec4(v_color.rgb * texel.rgb, v_color.a);
#endif
}
)";

const char* const kShadowVertexShader = R"(#version 330 core
layout(location = 0) in vec3 a_position;
uniform mat4 u_model;
uniform mat4 u_shadow;   // scene point -> its shadow on the plane
uniform mat4 u_view;
uniform mat4 u_projection;
void main() {
    gl_Position = u_projection * u_view * (u_shadow * (u_model * vec4(a_position, 1.0)));
}
)";

const char* const kShadowFragmentShader = R"(#version 330 core
out vec4 fragment;
void main() { fragment = vec4(0.0, 0.0, 0.0, 0.5); }
)";

}  // namespace roamer::gl
