#include "platform/gl/scene_renderer.h"

#include <algorithm>
#include <cmath>
#include <string>
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

// The most lights whose uniforms fit in both stages beside the rest (matrices, ambient, counts).
int LightsTheContextHolds() {
    GLint vertexComponents = 0;
    GLint fragmentComponents = 0;
    glGetIntegerv(GL_MAX_VERTEX_UNIFORM_COMPONENTS, &vertexComponents);
    glGetIntegerv(GL_MAX_FRAGMENT_UNIFORM_COMPONENTS, &fragmentComponents);
    constexpr int kOtherVectors = 24;
    const int vectors = std::min(vertexComponents, fragmentComponents) / 4 - kOtherVectors;
    return std::clamp(vectors / kUniformVectorsPerLight, kFewestLights, kMostLights);
}

rm::Vector3 ColorVector(rm::Color color) {
    return {rm::ColorGetRed(color), rm::ColorGetGreen(color), rm::ColorGetBlue(color)};
}

}  // namespace

std::unique_ptr<SceneRenderer> SceneRenderer::Create() {
    std::unique_ptr<SceneRenderer> renderer(new SceneRenderer);
    std::string error;
    renderer->m_maxLights = LightsTheContextHolds();
    // A program without lights builds on every context, or the context is of no use.
    if (renderer->m_programs.Get({}, 0, &error) == nullptr) {
        return nullptr;
    }
    if (!renderer->m_shadow.Build(kShadowVertexShader, kShadowFragmentShader, &error)) {
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

    ArrangeLights(state);
    std::string error;
    const SceneProgramCache::Programs* programs =
        m_programs.Get(m_lights.types, m_lights.vertexCount, &error);
    // Drivers count uniform space in their own ways: when as many lights as the limits promise
    // do not build, the fewest every context holds still do.
    if (programs == nullptr && m_maxLights > kFewestLights) {
        m_maxLights = kFewestLights;
        ArrangeLights(state);
        programs = m_programs.Get(m_lights.types, m_lights.vertexCount, &error);
    }
    if (programs == nullptr) {
        return;
    }
    const ShaderProgram& solid = programs->solid;
    const ShaderProgram& holes = programs->holes;
    glUseProgram(holes.Id());
    SetSceneUniforms(holes, state);
    glUseProgram(solid.Id());
    SetSceneUniforms(solid, state);
    DrawOpaque(solid, false);
    glUseProgram(holes.Id());
    DrawOpaque(holes, true);
    DrawShadows(viewport);
    DrawBlended(*programs, state, viewport);

    glBindVertexArray(0);
    glUseProgram(0);
    glBindSampler(0, 0);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisable(GL_BLEND);
    glDisable(GL_STENCIL_TEST);
    m_meshes.Sweep();
    m_textures.Sweep();
}

// Lights whose direction is the same all over an object (directional, parallel point) are summed
// at the vertices with flat and Gouraud shading: on a flat face that is exactly what lighting each
// pixel gives, and it leaves a pixel one texture fetch and one multiply. Point and spot lights
// change direction across a face (a spot can light the middle of a wall and none of its corners),
// so they, and every light with Phong shading, are summed at each pixel.
void SceneRenderer::ArrangeLights(const rm::Device& state) {
    m_lights = Lights{};
    if ((state.GetQuality() & rm::D3DRMLIGHT_MASK) != rm::D3DRMLIGHT_ON) {
        return;
    }
    const bool phong = (state.GetQuality() & rm::D3DRMSHADE_MASK) == rm::D3DRMSHADE_PHONG;
    auto atVertices = [phong](rm::LightType type) {
        return !phong &&
               (type == rm::D3DRMLIGHT_DIRECTIONAL || type == rm::D3DRMLIGHT_PARALLELPOINT);
    };
    std::vector<const SceneContents::LightInstance*> ordered;
    for (const auto& instance : m_contents.lights) {
        if (instance.light->GetType() == rm::D3DRMLIGHT_AMBIENT) {
            m_lights.ambient = m_lights.ambient + ColorVector(instance.light->GetColor());
        } else if (static_cast<int>(ordered.size()) < m_maxLights) {
            ordered.push_back(&instance);
        }
    }
    std::stable_partition(ordered.begin(), ordered.end(), [&](const auto* instance) {
        return atVertices(instance->light->GetType());
    });
    for (const auto* instance : ordered) {
        const rm::Light& light = *instance->light;
        const rm::Transform& world = instance->world;
        const rm::Vector3 color = ColorVector(light.GetColor());
        const rm::Vector3 direction = rm::VectorNormalize(world.forward);
        m_lights.vertexCount += atVertices(light.GetType()) ? 1 : 0;
        m_lights.types.push_back(light.GetType());
        m_lights.colors.insert(m_lights.colors.end(), {color.x, color.y, color.z});
        m_lights.positions.insert(m_lights.positions.end(),
                                  {world.origin.x, world.origin.y, world.origin.z});
        m_lights.directions.insert(m_lights.directions.end(),
                                   {direction.x, direction.y, direction.z});
        const float umbra = light.GetUmbra();
        const float penumbra = std::max(umbra, light.GetPenumbra());
        m_lights.cones.insert(m_lights.cones.end(),
                              {std::cos(umbra / 2.0f), std::cos(penumbra / 2.0f)});
    }
}

void SceneRenderer::SetSceneUniforms(const ShaderProgram& program, const rm::Device& state) {
    glUniformMatrix4fv(program.Uniform("u_view"), 1, GL_FALSE, m_view.data());
    glUniformMatrix4fv(program.Uniform("u_projection"), 1, GL_FALSE, m_projection.data());
    glUniform1i(program.Uniform("u_texture"), 0);
    glUniform1i(program.Uniform("u_lighting"),
                (state.GetQuality() & rm::D3DRMLIGHT_MASK) == rm::D3DRMLIGHT_ON ? 1 : 0);
    glUniform1i(program.Uniform("u_flatShading"),
                (state.GetQuality() & rm::D3DRMSHADE_MASK) == rm::D3DRMSHADE_FLAT ? 1 : 0);
    const Lights& lights = m_lights;
    const auto count = static_cast<GLsizei>(lights.types.size());
    glUniform3f(program.Uniform("u_ambient"), lights.ambient.x, lights.ambient.y,
                lights.ambient.z);
    if (count > 0) {
        glUniform3fv(program.Uniform("u_lightColor"), count, lights.colors.data());
        glUniform3fv(program.Uniform("u_lightPosition"), count, lights.positions.data());
        glUniform3fv(program.Uniform("u_lightDirection"), count, lights.directions.data());
        glUniform2fv(program.Uniform("u_lightCone"), count, lights.cones.data());
    }
}

void SceneRenderer::SetInstance(const ShaderProgram& program,
                                const SceneContents::MeshInstance& instance) {
    const std::array<float, 16> model = instance.world.ToMatrix();
    glUniformMatrix4fv(program.Uniform("u_model"), 1, GL_FALSE, model.data());
    glUniform3f(program.Uniform("u_objectOrigin"), instance.world.origin.x,
                instance.world.origin.y, instance.world.origin.z);
}

void SceneRenderer::BindTexture(const std::shared_ptr<rm::Texture>& texture) {
    glBindTexture(GL_TEXTURE_2D, m_textures.Get(texture));
}

void SceneRenderer::DrawOpaque(const ShaderProgram& program, bool withHoles) {
    glUniform1i(program.Uniform("u_opaqueAlpha"), 1);
    for (const auto& instance : m_contents.meshes) {
        GpuMesh& gpu = m_meshes.Get(instance.mesh);
        bool placed = false;
        for (const GpuMesh::Batch& batch : gpu.opaque) {
            if (m_textures.HasHoles(batch.texture) != withHoles) {
                continue;
            }
            if (!placed) {
                SetInstance(program, instance);
                glBindVertexArray(gpu.vertexArray);
                placed = true;
            }
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
}

// Faces whose alpha is below 255, sorted back to front by the depth of their centres and
// blended over what is drawn; consecutive faces of one mesh and texture share a draw call.
void SceneRenderer::DrawBlended(const SceneProgramCache::Programs& programs,
                                const rm::Device& state, const rm::Viewport& viewport) {
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
    for (const ShaderProgram* program : {&programs.solid, &programs.holes}) {
        glUseProgram(program->Id());
        glUniform1i(program->Uniform("u_opaqueAlpha"), blend ? 0 : 1);
    }
    // Faces whose texture keeps every texel take the program without discard: its early depth
    // test spares the pixels of a large floor that furniture hides.
    const ShaderProgram* program = nullptr;
    std::size_t current = m_contents.meshes.size();
    for (const Run& run : runs) {
        GpuMesh& gpu = m_meshes.Get(m_contents.meshes[run.instance].mesh);
        const ShaderProgram* wanted =
            m_textures.HasHoles(run.texture) ? &programs.holes : &programs.solid;
        const bool switched = wanted != program;
        if (switched) {
            program = wanted;
            glUseProgram(program->Id());
        }
        if (switched || run.instance != current) SetInstance(*program, m_contents.meshes[run.instance]);
        if (run.instance != current) {
            current = run.instance;
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
