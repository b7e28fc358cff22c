#include "platform/gl/scene_shaders.h"

namespace roamer::gl {

const char* const kSceneVertexShader = R"(#version 330 core
layout(location = 0) in vec3 a_position;
layout(location = 1) in vec3 a_normal;
layout(location = 2) in vec3 a_faceNormal;
layout(location = 3) in vec2 a_uv;
layout(location = 4) in vec4 a_color;
uniform mat4 u_model;       // rigid: its upper 3x3 also turns normals
uniform mat4 u_view;
uniform mat4 u_projection;
out vec3 v_worldPosition;
out vec3 v_normal;
flat out vec3 v_faceNormal;
out vec2 v_uv;
out vec4 v_color;
void main() {
    vec4 world = u_model * vec4(a_position, 1.0);
    v_worldPosition = world.xyz;
    v_normal = mat3(u_model) * a_normal;
    v_faceNormal = mat3(u_model) * a_faceNormal;
    v_uv = a_uv;
    v_color = a_color;
    gl_Position = u_projection * u_view * world;
}
)";

// Lit colour = face colour x (ambient + sum of light colour x max(0, N.L) x spot factor), each
// channel at most 1; a texture multiplies it texel by texel. No attenuation, no specular.
const char* const kSceneFragmentShader = R"(#version 330 core
#define MAX_LIGHTS 32
in vec3 v_worldPosition;
in vec3 v_normal;
flat in vec3 v_faceNormal;
in vec2 v_uv;
in vec4 v_color;
uniform sampler2D u_texture;
uniform bool u_lighting;
uniform bool u_flatShading;
uniform bool u_opaqueAlpha;
uniform vec3 u_ambient;
uniform int u_lightCount;
uniform int u_lightType[MAX_LIGHTS];
uniform vec3 u_lightColor[MAX_LIGHTS];
uniform vec3 u_lightPosition[MAX_LIGHTS];
uniform vec3 u_lightDirection[MAX_LIGHTS];
uniform vec2 u_lightCone[MAX_LIGHTS];   // cosines of half the umbra and half the penumbra
uniform vec3 u_objectOrigin;
out vec4 fragment;

float SpotFactor(int i, vec3 towardsLight) {
    float c = dot(-towardsLight, u_lightDirection[i]);
    float inner = u_lightCone[i].x;
    float outer = u_lightCone[i].y;
    if (c >= inner) return 1.0;
    if (c <= outer) return 0.0;
    return (c - outer) / (inner - outer);
}

void main() {
    vec4 texel = texture(u_texture, v_uv);
    if (texel.a < 0.5) discard;   // colour-keyed texels are not drawn at all
    vec3 light = vec3(1.0);
    if (u_lighting) {
        vec3 n = normalize(u_flatShading ? v_faceNormal : v_normal);
        light = u_ambient;
        for (int i = 0; i < u_lightCount; ++i) {
            vec3 towardsLight;
            float factor = 1.0;
            int type = u_lightType[i];
            if (type == 3) {
                towardsLight = -u_lightDirection[i];
            } else if (type == 4) {
                towardsLight = normalize(u_lightPosition[i] - u_objectOrigin);
            } else {
                towardsLight = normalize(u_lightPosition[i] - v_worldPosition);
                if (type == 2) factor = SpotFactor(i, towardsLight);
            }
            light += u_lightColor[i] * max(dot(n, towardsLight), 0.0) * factor;
        }
        light = min(light, vec3(1.0));
    }
    fragment = vec4(v_color.rgb * light * texel.rgb, u_opaqueAlpha ? 1.0 : v_color.a);
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
