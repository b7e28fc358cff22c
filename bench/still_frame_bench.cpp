// The smoothed still frame (five jittered renders averaged) beside a plain Render, through the
// render engine on an offscreen surface, at the player's settings.
#include <benchmark/benchmark.h>

#include <memory>

#include "platform/gl/offscreen_surface.h"
#include "platform/recording_host.h"
#include "platform/rm/mesh_builder.h"
#include "render/render_engine.h"

namespace {

using namespace roamer;

struct EngineScene {
    std::unique_ptr<gl::OffscreenSurface> surface;
    RecordingHost host;
    std::unique_ptr<render::RenderEngine> engine;
};

// A room-like scene: a few hundred coloured faces filling the view, lit by the ambient light.
std::unique_ptr<EngineScene> MakeScene(int width, int height) {
    auto scene = std::make_unique<EngineScene>();
    if (gl::OffscreenSurface::Create(width, height, &scene->surface) != 0) return nullptr;
    scene->engine = std::make_unique<render::RenderEngine>(scene->host, nullptr);
    render::RenderEngine& engine = *scene->engine;
    if (engine.Init(scene->surface.get(), width, height, true) != 0) return nullptr;
    engine.SetUniformScaling(false);
    const float w = static_cast<float>(width) / 1000.0f;
    const float h = static_cast<float>(height) / 1000.0f;
    engine.SetViewPlane(-w, w, -h, h);
    engine.SetQuality(rm::D3DRMRENDER_GOURAUD);
    rm::Frame* root = nullptr;
    engine.GetScene(&root);
    auto mesh = std::make_shared<rm::MeshBuilder>();
    for (int row = 0; row < 16; ++row)
        for (int column = 0; column < 24; ++column) {
            auto face = mesh->CreateFace();
            const float x0 = -30.0f + 2.5f * static_cast<float>(column);
            const float y0 = -20.0f + 2.5f * static_cast<float>(row);
            face->AddVertex(x0, y0, 30.0f);
            face->AddVertex(x0, y0 + 2.4f, 31.0f);
            face->AddVertex(x0 + 2.4f, y0 + 2.4f, 30.0f);
            face->AddVertex(x0 + 2.4f, y0, 29.0f);
            face->SetColor(0xFF000000u | static_cast<rm::Color>((row * 16) << 16 | (column * 10) << 8 | 128));
        }
    root->AddVisual(mesh);
    return scene;
}

void BM_PlainRender(benchmark::State& state) {
    auto scene = MakeScene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (!scene) return state.SkipWithError("no offscreen surface");
    for (auto _ : state) benchmark::DoNotOptimize(scene->engine->Render());
}

// Each iteration renders once (which re-arms the smoothing) and then smooths.
void BM_RenderAndSmoothFrame(benchmark::State& state) {
    auto scene = MakeScene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (!scene) return state.SkipWithError("no offscreen surface");
    for (auto _ : state) {
        scene->engine->Render();
        benchmark::DoNotOptimize(scene->engine->SmoothFrame(5));
    }
}

BENCHMARK(BM_PlainRender)->Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderAndSmoothFrame)
    ->Args({640, 480})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond);

}  // namespace
