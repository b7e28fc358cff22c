#include "platform/gl/scene_renderer.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/gl/scene_shaders.h"
#include "platform/rm/frame.h"

namespace roamer::gl {
namespace {

void SetUpSampler(GLuint sampler, GLint minFilter, GLint magFilter) {
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, minFilter);
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, magFilter);
    // Texture coordinates outside 0..1 repeat the picture.
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

rm::Vector3 ColorVector(rm::Color color) {
    return {rm::ColorGetRed(color), rm::ColorGetGreen(color), rm::ColorGetBlue(color)};
}

}  // namespace

std::unique_ptr<SceneRenderer> SceneRenderer::Create() {
    std::unique_ptr<SceneRenderer> renderer(new SceneRenderer);
    std::string error;
    if (!renderer->m_scene.Build(kSceneVertexShader, kSceneFragmentShader, &error) ||
        !renderer->m_shadow.Build(kShadowVertexShader, kShadowFragmentShader, &error)) {
        return nullptr;
    }
    glGenSamplers(6, renderer->m_samplers);
    SetUpSampler(renderer->m_samplers[rm::D3DRMTEXTURE_NEAREST], GL_NEAREST, GL_NEAREST);
    SetUpSampler(renderer->m_samplers[rm::D3DRMTEXTURE_LINEAR], GL_LINEAR, GL_LINEAR);
    SetUpSampler(renderer->m_samplers[rm::D3DRMTEXTURE_MIPNEAREST], GL_NEAREST_MIPMAP_NEAREST,
                 GL_NEAREST);
    SetUpSampler(renderer->m_samplers[rm::D3DRMTEXTURE_MIPLINEAR], GL_NEAREST_MIPMAP_LINEAR,
                 GL_NEAREST);
    SetUpSampler(renderer->m_samplers[rm::D3DRMTEXTURE_LINEARMIPNEAREST], GL_LINEAR_MIPMAP_NEAREST,
                 GL_LINEAR);
    SetUpSampler(renderer->m_samplers[rm::D3DRMTEXTURE_LINEARMIPLINEAR], GL_LINEAR_MIPMAP_LINEAR,
                 GL_LINEAR);
    return renderer;
}

SceneRenderer::~SceneRenderer() { glDeleteSamplers(6, m_samplers); }

void SceneRenderer::Draw(const rm::Device& state, const rm::Viewport& viewport,
                         const rm::Frame& scene) {
    CollectScene(scene, &m_contents);
    m_view = viewport.GetCamera()->WorldTransform().Inverse().ToMatrix();
    m_projection = viewport.ProjectionMatrix();

    const rm::RenderQuality fill = state.GetQuality() & rm::D3DRMFILL_MASK;
    glPolygonMode(GL_FRONT_AND_BACK, fill == rm::D3DRMFILL_SOLID       ? GL_FILL
                                     : fill == rm::D3DRMFILL_WIREFRAME ? GL_LINE
                                                                       : GL_POINT);
    if (state.GetDither()) {
        glEnable(GL_DITHER);
    } else {
        glDisable(GL_DITHER);
    }
    // Faces are one-sided: the front is the side from which the vertices run clockwise.
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);
    glCullFace(GL_BACK);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glDisable(GL_STENCIL_TEST);
    glActiveTexture(GL_TEXTURE0);
    glBindSampler(0, m_samplers[state.GetTextureQuality()]);

    glUseProgram(m_scene.Id());
    SetSceneUniforms(state, viewport);
    DrawOpaque();
    DrawShadows(viewport);
    DrawBlended(state, viewport);

    glBindVertexArray(0);
    glUseProgram(0);
    glBindSampler(0, 0);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisable(GL_BLEND);
    glDisable(GL_STENCIL_TEST);
    m_meshes.Sweep();
    m_textures.Sweep();
}

void SceneRenderer::SetSceneUniforms(const rm::Device& state, const rm::Viewport& viewport) {
    (void)viewport;
    glUniformMatrix4fv(m_scene.Uniform("u_view"), 1, GL_FALSE, m_view.data());
    glUniformMatrix4fv(m_scene.Uniform("u_projection"), 1, GL_FALSE, m_projection.data());
    glUniform1i(m_scene.Uniform("u_texture"), 0);
    glUniform1i(m_scene.Uniform("u_lighting"),
                (state.GetQuality() & rm::D3DRMLIGHT_MASK) == rm::D3DRMLIGHT_ON ? 1 : 0);
    glUniform1i(m_scene.Uniform("u_flatShading"),
                (state.GetQuality() & rm::D3DRMSHADE_MASK) == rm::D3DRMSHADE_FLAT ? 1 : 0);

    rm::Vector3 ambient;
    std::vector<GLint> types;
    std::vector<float> colors;
    std::vector<float> positions;
    std::vector<float> directions;
    std::vector<float> cones;
    for (const auto& [light, world] : m_contents.lights) {
        const rm::Vector3 color = ColorVector(light->GetColor());
        if (light->GetType() == rm::D3DRMLIGHT_AMBIENT) {
            ambient = ambient + color;
            continue;
        }
        if (static_cast<int>(types.size()) >= kMaxLights) {
            continue;
        }
        const rm::Vector3 direction = rm::VectorNormalize(world.forward);
        types.push_back(light->GetType());
        colors.insert(colors.end(), {color.x, color.y, color.z});
        positions.insert(positions.end(), {world.origin.x, world.origin.y, world.origin.z});
        directions.insert(directions.end(), {direction.x, direction.y, direction.z});
        const float umbra = light->GetUmbra();
        const float penumbra = std::max(umbra, light->GetPenumbra());
        cones.insert(cones.end(), {std::cos(umbra / 2.0f), std::cos(penumbra / 2.0f)});
    }
    const auto count = static_cast<GLsizei>(types.size());
    glUniform3f(m_scene.Uniform("u_ambient"), ambient.x, ambient.y, ambient.z);
    glUniform1i(m_scene.Uniform("u_lightCount"), count);
    if (count > 0) {
        glUniform1iv(m_scene.Uniform("u_lightType"), count, types.data());
        glUniform3fv(m_scene.Uniform("u_lightColor"), count, colors.data());
        glUniform3fv(m_scene.Uniform("u_lightPosition"), count, positions.data());
        glUniform3fv(m_scene.Uniform("u_lightDirection"), count, directions.data());
        glUniform2fv(m_scene.Uniform("u_lightCone"), count, cones.data());
    }
}

void SceneRenderer::SetInstance(const SceneContents::MeshInstance& instance) {
    const std::array<float, 16> model = instance.world.ToMatrix();
    glUniformMatrix4fv(m_scene.Uniform("u_model"), 1, GL_FALSE, model.data());
    glUniform3f(m_scene.Uniform("u_objectOrigin"), instance.world.origin.x,
                instance.world.origin.y, instance.world.origin.z);
}

void SceneRenderer::BindTexture(const std::shared_ptr<rm::Texture>& texture) {
    glBindTexture(GL_TEXTURE_2D, m_textures.Get(texture));
}

void SceneRenderer::DrawOpaque() {
    glUniform1i(m_scene.Uniform("u_opaqueAlpha"), 1);
    for (const auto& instance : m_contents.meshes) {
        GpuMesh& gpu = m_meshes.Get(instance.mesh);
        if (gpu.opaque.empty()) {
            continue;
        }
        SetInstance(instance);
        glBindVertexArray(gpu.vertexArray);
        for (const GpuMesh::Batch& batch : gpu.opaque) {
            BindTexture(batch.texture);
            glDrawElements(GL_TRIANGLES, batch.count, GL_UNSIGNED_INT,
                           reinterpret_cast<const void*>(static_cast<std::size_t>(batch.first) *
                                                         sizeof(std::uint32_t)));
        }
    }
}

// Each shadow darkens a pixel once however many of its faces cover it: the stencil remembers
// which pixels a shadow has already darkened.
void SceneRenderer::DrawShadows(const rm::Viewport& viewport) {
    (void)viewport;
    if (m_contents.shadows.empty()) {
        return;
    }
    glUseProgram(m_shadow.Id());
    glUniformMatrix4fv(m_shadow.Uniform("u_view"), 1, GL_FALSE, m_view.data());
    glUniformMatrix4fv(m_shadow.Uniform("u_projection"), 1, GL_FALSE, m_projection.data());
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_CULL_FACE);  // a flattened face may have turned over
    glDepthMask(GL_FALSE);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(-1.0f, -1.0f);
    glEnable(GL_STENCIL_TEST);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    glStencilMask(0xFF);
    GLint reference = 0;
    for (const auto& [shadow, world] : m_contents.shadows) {
        std::array<float, 16> projection{};
        if (rm::Failed(shadow->Projection(world.origin, &projection))) {
            continue;
        }
        if (++reference > 255) {
            glClear(GL_STENCIL_BUFFER_BIT);
            reference = 1;
        }
        glStencilFunc(GL_NOTEQUAL, reference, 0xFF);
        GpuMesh& gpu = m_meshes.Get(shadow->GetMesh());
        const std::array<float, 16> model = world.ToMatrix();
        glUniformMatrix4fv(m_shadow.Uniform("u_model"), 1, GL_FALSE, model.data());
        glUniformMatrix4fv(m_shadow.Uniform("u_shadow"), 1, GL_FALSE, projection.data());
        glBindVertexArray(gpu.vertexArray);
        glDrawElements(GL_TRIANGLES, gpu.totalIndices, GL_UNSIGNED_INT, nullptr);
    }
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glEnable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glUseProgram(m_scene.Id());
}

// Faces whose alpha is below 255, sorted back to front by the depth of their centres and
// blended over what is drawn; consecutive faces of one mesh and texture share a draw call.
void SceneRenderer::DrawBlended(const rm::Device& state, const rm::Viewport& viewport) {
    struct Entry {
        float depth;
        std::size_t instance;
        std::size_t face;
    };
    std::vector<Entry> entries;
    const rm::Transform toCamera = viewport.GetCamera()->WorldTransform().Inverse();
    for (std::size_t i = 0; i < m_contents.meshes.size(); ++i) {
        GpuMesh& gpu = m_meshes.Get(m_contents.meshes[i].mesh);
        gpu.sortedIndices.clear();
        const rm::Transform toView = m_contents.meshes[i].world.Then(toCamera);
        for (std::size_t f = 0; f < gpu.blended.size(); ++f) {
            entries.push_back({toView.ApplyToPoint(gpu.blended[f].centre).z, i, f});
        }
    }
    if (entries.empty()) {
        return;
    }
    if ((state.GetRenderMode() & rm::D3DRMRENDERMODE_SORTEDTRANSPARENCY) != 0) {
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry& a, const Entry& b) { return a.depth > b.depth; });
    }
    struct Run {
        std::size_t instance;
        std::shared_ptr<rm::Texture> texture;
        std::size_t first;
        std::size_t count;
    };
    std::vector<Run> runs;
    for (const Entry& entry : entries) {
        GpuMesh& gpu = m_meshes.Get(m_contents.meshes[entry.instance].mesh);
        const GpuMesh::BlendedFace& face = gpu.blended[entry.face];
        if (runs.empty() || runs.back().instance != entry.instance ||
            runs.back().texture != face.texture) {
            runs.push_back({entry.instance, face.texture, gpu.sortedIndices.size(), 0});
        }
        gpu.sortedIndices.insert(gpu.sortedIndices.end(),
                                 gpu.blendedIndices.begin() + face.first,
                                 gpu.blendedIndices.begin() + face.first + face.count);
        runs.back().count += face.count;
    }
    const bool blend = (state.GetRenderMode() & rm::D3DRMRENDERMODE_BLENDEDTRANSPARENCY) != 0;
    if (blend) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    glUniform1i(m_scene.Uniform("u_opaqueAlpha"), blend ? 0 : 1);
    std::size_t current = m_contents.meshes.size();
    for (const Run& run : runs) {
        GpuMesh& gpu = m_meshes.Get(m_contents.meshes[run.instance].mesh);
        if (run.instance != current) {
            current = run.instance;
            SetInstance(m_contents.meshes[run.instance]);
            glBindVertexArray(gpu.vertexArray);
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gpu.sortedIndexBuffer);
            if (run.first == 0) {
                glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                             static_cast<GLsizeiptr>(gpu.sortedIndices.size() * sizeof(std::uint32_t)),
                             gpu.sortedIndices.data(), GL_STREAM_DRAW);
            }
        }
        BindTexture(run.texture);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(run.count), GL_UNSIGNED_INT,
                       reinterpret_cast<const void*>(run.first * sizeof(std::uint32_t)));
    }
    // Give every vertex array its static indices back.
    for (const auto& instance : m_contents.meshes) {
        GpuMesh& gpu = m_meshes.Get(instance.mesh);
        if (!gpu.sortedIndices.empty()) {
            glBindVertexArray(gpu.vertexArray);
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gpu.indexBuffer);
        }
    }
    glDisable(GL_BLEND);
}

}  // namespace roamer::gl
