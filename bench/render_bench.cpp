// Frame times of the OpenGL device on scenes of textured faces, beside the empty frame (clear,
// draw nothing, read back) measured in the same run, and picking in the largest scene.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "platform/gl/gl_device.h"
#include "platform/gl/offscreen_context.h"
#include "platform/rm/frame.h"
#include "platform/rm/mesh_builder.h"
#include "platform/rm/viewport.h"

namespace {

using namespace roamer;

gl::OffscreenContext& Context() {
    static std::unique_ptr<gl::OffscreenContext> context = [] {
        std::unique_ptr<gl::OffscreenContext> made;
        gl::OffscreenContext::Create(&made);
        return made;
    }();
    return *context;
}

std::shared_ptr<rm::Texture> Checkerboard() {
    rm::Image image{64, 64, std::vector<std::uint8_t>(64 * 64 * 4)};
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const std::uint8_t value = ((x / 8 + y / 8) % 2) != 0 ? 230 : 40;
            std::uint8_t* texel = &image.rgba[static_cast<std::size_t>(y * 64 + x) * 4u];
            texel[0] = value;
            texel[1] = static_cast<std::uint8_t>(value / 2);
            texel[2] = 100;
            texel[3] = 255;
        }
    }
    return std::make_shared<rm::Texture>(std::move(image));
}

// Two grids of quads, each filling the view once, so the faces cover the screen about twice.
struct Scene {
    rm::Frame root;
    rm::Frame* camera = nullptr;
    std::unique_ptr<rm::Viewport> viewport;
};

void BuildFaces(rm::Frame* frame, int faces, float aspect) {
    auto texture = Checkerboard();
    auto mesh = std::make_shared<rm::MeshBuilder>();
    const int perLayer = faces / 2;
    const int columns = std::max(1, static_cast<int>(std::lround(std::sqrt(static_cast<float>(perLayer) * aspect))));
    const int rows = std::max(1, perLayer / columns);
    for (int layer = 0; layer < 2; ++layer) {
        const float z = layer == 0 ? 10.0f : 20.0f;
        // The view's half-extent at depth z, with the window of the benchmark viewport below.
        const float halfWidth = 0.5f * aspect * z;
        const float halfHeight = 0.5f * z;
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < columns; ++column) {
                const float x0 = -halfWidth + 2.0f * halfWidth * static_cast<float>(column) /
                                                  static_cast<float>(columns);
                const float x1 = -halfWidth + 2.0f * halfWidth * static_cast<float>(column + 1) /
                                                  static_cast<float>(columns);
                const float y0 = -halfHeight + 2.0f * halfHeight * static_cast<float>(row) /
                                                   static_cast<float>(rows);
                const float y1 = -halfHeight + 2.0f * halfHeight * static_cast<float>(row + 1) /
                                                   static_cast<float>(rows);
                auto face = mesh->CreateFace();
                face->AddVertex(x0, y0, z);
                face->AddVertex(x0, y1, z);
                face->AddVertex(x1, y1, z);
                face->AddVertex(x1, y0, z);
                face->SetTextureCoordinates(0, 0, 1);
                face->SetTextureCoordinates(1, 0, 0);
                face->SetTextureCoordinates(2, 1, 0);
                face->SetTextureCoordinates(3, 1, 1);
                face->SetTexture(texture);
            }
        }
    }
    frame->AddVisual(mesh);
}

void RenderFrame(benchmark::State& state) {
    Context().MakeCurrent();
    const int faces = static_cast<int>(state.range(0));
    const int width = static_cast<int>(state.range(1));
    const int height = static_cast<int>(state.range(2));
    std::unique_ptr<gl::GlDevice> device;
    if (rm::Failed(gl::GlDevice::Create(width, height, &device))) {
        state.SkipWithError("no OpenGL device");
        return;
    }
    // What the player sets on a software driver: Gouraud shading, dithering, nearest texels.
    device->SetQuality(rm::D3DRMRENDER_GOURAUD);
    device->SetDither(true);
    device->SetTextureQuality(rm::D3DRMTEXTURE_NEAREST);
    Scene scene;
    scene.camera = scene.root.CreateChild();
    const float aspect = static_cast<float>(width) / static_cast<float>(height);
    scene.viewport =
        std::make_unique<rm::Viewport>(device.get(), scene.camera, 0, 0, width, height);
    scene.viewport->SetUniformScaling(false);
    scene.viewport->SetPlane(-0.5f * aspect, 0.5f * aspect, -0.5f, 0.5f);
    scene.viewport->SetBack(5000.0f);
    scene.root.AddLight(std::make_shared<rm::Light>(rm::D3DRMLIGHT_AMBIENT, 0xFF606060u));
    scene.camera->AddLight(std::make_shared<rm::Light>(rm::D3DRMLIGHT_DIRECTIONAL, 0xFFA0A0A0u));
    if (faces > 0) {
        BuildFaces(&scene.root, faces, aspect);
    }
    rm::Picture picture;
    for (auto _ : state) {
        scene.viewport->Clear();
        scene.viewport->Render(scene.root);
        device->ReadBackBuffer(&picture);  // waits for the frame to be finished
        benchmark::DoNotOptimize(picture.rgba.data());
    }
    state.counters["faces"] = faces;
}

void PickInLargeScene(benchmark::State& state) {
    rm::Frame root;
    rm::Frame* camera = root.CreateChild();
    rm::Viewport viewport(nullptr, camera, 0, 0, 1920, 1080);
    const float aspect = 1920.0f / 1080.0f;
    viewport.SetUniformScaling(false);
    viewport.SetPlane(-0.5f * aspect, 0.5f * aspect, -0.5f, 0.5f);
    viewport.SetBack(5000.0f);
    BuildFaces(&root, 100000, aspect);
    std::vector<rm::PickHit> hits;
    for (auto _ : state) {
        viewport.Pick(960, 540, &hits);
        benchmark::DoNotOptimize(hits.data());
    }
    state.counters["hits"] = static_cast<double>(hits.size());
}

BENCHMARK(RenderFrame)
    ->ArgNames({"faces", "width", "height"})
    ->Args({0, 640, 480})
    ->Args({1000, 640, 480})
    ->Args({10000, 640, 480})
    ->Args({100000, 640, 480})
    ->Args({0, 1920, 1080})
    ->Args({1000, 1920, 1080})
    ->Args({10000, 1920, 1080})
    ->Args({100000, 1920, 1080})
    // The rasterizer's own threads do most of the work: the CPU column counts every thread of
    // the process, which varies less than wall time when other jobs share the machine.
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(PickInLargeScene)->Unit(benchmark::kMillisecond);

}  // namespace
