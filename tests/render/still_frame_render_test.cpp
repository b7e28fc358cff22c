// The smoothed still frame drawn for real, offscreen.
#include <gtest/gtest.h>

#include "platform/gl/offscreen_surface.h"
#include "platform/recording_host.h"
#include "platform/rm/mesh_builder.h"
#include "render/render_engine.h"

namespace roamer::render {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

int Red(const rm::Picture& picture, int x, int y) {
    return picture.rgba[(static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)) * 4];
}

TEST(StillFrame, SmoothsEdgesAndKeepsFlatAreas) {
    std::unique_ptr<gl::OffscreenSurface> surface;
    ASSERT_EQ(gl::OffscreenSurface::Create(kWidth, kHeight, &surface), 0);
    RecordingHost host;
    RenderEngine engine(host, nullptr);
    ASSERT_EQ(engine.Init(surface.get(), kWidth, kHeight, true), 0);
    // As the 3D view sets it up: 500 pixels per unit at the front plane.
    engine.SetUniformScaling(false);
    engine.SetViewPlane(-kWidth / 1000.0f, kWidth / 1000.0f, -kHeight / 1000.0f,
                        kHeight / 1000.0f);
    engine.SetQuality(rm::D3DRMRENDER_UNLITFLAT);
    EXPECT_EQ(engine.GetDriverTable().Current()->isHardware, engine.IsHardwareDriver());

    // A white triangle whose slanted edge crosses the picture.
    rm::Frame* scene = nullptr;
    engine.GetScene(&scene);
    auto mesh = std::make_shared<rm::MeshBuilder>();
    auto face = mesh->CreateFace();
    face->AddVertex(-1.0f, -1.0f, 10.0f);
    face->AddVertex(-1.0f, 1.0f, 10.0f);
    face->AddVertex(0.3f, -1.0f, 10.0f);
    face->SetColor(0xFFFFFFFFu);
    scene->AddVisual(mesh);

    ASSERT_EQ(engine.Render(), 0);
    rm::Picture plain;
    ASSERT_EQ(engine.GetDevice()->ReadBackBuffer(&plain), 0);
    ASSERT_EQ(engine.SmoothFrame(5), 0);
    rm::Picture smooth;
    ASSERT_EQ(engine.GetDevice()->ReadBackBuffer(&smooth), 0);

    int plainBetween = 0;
    int smoothBetween = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            plainBetween += Red(plain, x, y) != 0 && Red(plain, x, y) != 255;
            smoothBetween += Red(smooth, x, y) != 0 && Red(smooth, x, y) != 255;
        }
    EXPECT_EQ(plainBetween, 0);
    EXPECT_GT(smoothBetween, kHeight / 2);  // intermediate values along the edge
    // Far from the edge nothing changes.
    EXPECT_EQ(Red(smooth, 2, kHeight - 3), 255);
    EXPECT_EQ(Red(smooth, kWidth - 3, 2), 0);
    EXPECT_EQ(Red(plain, 2, kHeight - 3), 255);
    EXPECT_TRUE(host.Messages().empty());
    engine.Cleanup();
}

}  // namespace
}  // namespace roamer::render
