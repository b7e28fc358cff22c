#pragma once

#include <epoxy/gl.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/gl/gpu_mesh.h"
#include "platform/gl/gpu_texture.h"
#include "platform/gl/scene_collector.h"
#include "platform/gl/scene_programs.h"
#include "platform/gl/scene_shaders.h"
#include "platform/gl/shader_program.h"
#include "platform/rm/device.h"
#include "platform/rm/viewport.h"

namespace roamer::gl {

// Draws a scene into the bound framebuffer: opaque faces, then shadows, then the blended faces
// back to front. Opaque batches keep a fixed order rather than nearest first: sorting them saved
// about a tenth of a frame on the software rasterizer, and a view-dependent order would let
// coplanar faces of different batches take turns in front as the camera moves.
class SceneRenderer {
public:
    static std::unique_ptr<SceneRenderer> Create();
    ~SceneRenderer();
    SceneRenderer(const SceneRenderer&) = delete;
    SceneRenderer& operator=(const SceneRenderer&) = delete;

    void Draw(const rm::Device& state, const rm::Viewport& viewport, const rm::Frame& scene);

private:
    // The frame's lights as the shaders take them: those summed at the vertices first.
    struct Lights {
        rm::Vector3 ambient;
        int vertexCount = 0;
        std::vector<GLint> types;
        std::vector<float> colors;
        std::vector<float> positions;
        std::vector<float> directions;
        std::vector<float> cones;
    };

    SceneRenderer() = default;
    void ArrangeLights(const rm::Device& state);
    void SetSceneUniforms(const ShaderProgram& program, const rm::Device& state);
    void SetInstance(const ShaderProgram& program, const SceneContents::MeshInstance& instance);
    void DrawOpaque(const ShaderProgram& program, bool withHoles);
    void DrawShadows(const rm::Viewport& viewport);
    void DrawBlended(const SceneProgramCache::Programs& programs, const rm::Device& state,
                     const rm::Viewport& viewport);
    void BindTexture(const std::shared_ptr<rm::Texture>& texture);

    SceneProgramCache m_programs;
    ShaderProgram m_shadow;
    int m_maxLights = kFewestLights;  // non-ambient lights per frame; the rest are left out
    GLuint m_samplers[6] = {};
    GpuMeshCache m_meshes;
    GpuTextureCache m_textures;
    SceneContents m_contents;
    Lights m_lights;
    std::array<float, 16> m_view{};
    std::array<float, 16> m_projection{};
};

}  // namespace roamer::gl
