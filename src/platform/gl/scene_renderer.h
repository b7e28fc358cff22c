#pragma once

#include <epoxy/gl.h>

#include <memory>

#include "platform/gl/gpu_mesh.h"
#include "platform/gl/gpu_texture.h"
#include "platform/gl/scene_collector.h"
#include "platform/gl/shader_program.h"
#include "platform/rm/device.h"
#include "platform/rm/viewport.h"

namespace roamer::gl {

// Draws a scene into the bound framebuffer: opaque faces, then shadows, then the blended faces
// back to front.
class SceneRenderer {
public:
    static std::unique_ptr<SceneRenderer> Create();
    ~SceneRenderer();
    SceneRenderer(const SceneRenderer&) = delete;
    SceneRenderer& operator=(const SceneRenderer&) = delete;

    void Draw(const rm::Device& state, const rm::Viewport& viewport, const rm::Frame& scene);

private:
    SceneRenderer() = default;
    void SetSceneUniforms(const rm::Device& state, const rm::Viewport& viewport);
    void SetInstance(const SceneContents::MeshInstance& instance);
    void DrawOpaque();
    void DrawShadows(const rm::Viewport& viewport);
    void DrawBlended(const rm::Device& state, const rm::Viewport& viewport);
    void BindTexture(const std::shared_ptr<rm::Texture>& texture);

    ShaderProgram m_scene;
    ShaderProgram m_shadow;
    GLuint m_samplers[6] = {};
    GpuMeshCache m_meshes;
    GpuTextureCache m_textures;
    SceneContents m_contents;
    std::array<float, 16> m_view{};
    std::array<float, 16> m_projection{};
};

}  // namespace roamer::gl
