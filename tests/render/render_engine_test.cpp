#include "render/render_engine.h"

#include <cmath>

#include <gtest/gtest.h>

#include "platform/recording_host.h"
#include "render/engine_status.h"
#include "render/fake_surface.h"

namespace roamer::render {
namespace {

class RenderEngineTest : public ::testing::Test {
protected:
    RecordingHost host;
    test::FakeSurface surface;
    RenderEngine engine{host, nullptr};
};

TEST_F(RenderEngineTest, InitChecksItsArgumentsFirst) {
    EXPECT_EQ(engine.Init(nullptr, 10, 10, true), kNoWindow);
    EXPECT_EQ(engine.Init(&surface, 0, 10, true), kBadWidth);
    EXPECT_EQ(engine.Init(&surface, 10, 0, true), kBadHeight);
    surface.drivers.clear();
    EXPECT_EQ(engine.Init(&surface, 10, 10, true), kNoDriver);
    EXPECT_FALSE(engine.IsInitialized());
}

TEST_F(RenderEngineTest, RenderDrawsOnlyWhileInitialized) {
    EXPECT_EQ(engine.Render(), kNoViewport);  // before Init
    ASSERT_EQ(engine.Init(&surface, 64, 48, true), 0);
    EXPECT_EQ(engine.GetViewport()->GetBack(), 5000.0f);
    ASSERT_EQ(engine.Render(), 0);
    EXPECT_EQ(surface.lastDevice->renders, 1);
    EXPECT_EQ(surface.lastDevice->updates, 1);

    // A failed resize keeps the old size and draws nothing until a resize succeeds.
    surface.failDevices = true;
    EXPECT_EQ(engine.Resize(100, 80), surface.failStatus);
    EXPECT_EQ(engine.GetWidth(), 64);
    EXPECT_FALSE(engine.IsInitialized());
    EXPECT_EQ(engine.Render(), kNoViewport);
    surface.failDevices = false;
    ASSERT_EQ(engine.Resize(100, 80), 0);
    EXPECT_EQ(engine.GetWidth(), 100);
    EXPECT_EQ(engine.Render(), 0);

    EXPECT_EQ(engine.Cleanup(), 0);
    EXPECT_EQ(engine.Render(), kNoViewport);
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(RenderEngineTest, ARetriedStartBuildsEverythingAgain) {
    surface.failDevices = true;
    EXPECT_EQ(engine.Init(&surface, 16, 16, true), surface.failStatus);
    surface.failDevices = false;
    ASSERT_EQ(engine.Init(&surface, 16, 16, true), 0);
    rm::Frame* scene = nullptr;
    engine.GetScene(&scene);
    ASSERT_NE(engine.GetAmbientLight(), nullptr);
    ASSERT_EQ(scene->GetLights().size(), 1u);  // the ambient light is in the new scene
    EXPECT_EQ(scene->GetLights().front(), engine.GetAmbientLight());
    EXPECT_EQ(engine.SetAmbientColor(0xFF102030u), 0);
    EXPECT_EQ(scene->GetLights().front()->GetColor() & 0xFFFFFFu, 0x102030u);
}

TEST_F(RenderEngineTest, ResizeCarriesTheDeviceStateOver) {
    ASSERT_EQ(engine.Init(&surface, 64, 48, true), 0);
    engine.SetDither(false);
    ASSERT_EQ(engine.SetQuality(rm::D3DRMRENDER_GOURAUD), 0);
    EXPECT_EQ(engine.GetDevice()->GetTextureQuality(), rm::D3DRMTEXTURE_LINEAR);
    ASSERT_EQ(engine.Resize(32, 32), 0);
    EXPECT_EQ(engine.GetDevice()->GetQuality(), rm::D3DRMRENDER_GOURAUD);
    EXPECT_FALSE(engine.GetDevice()->GetDither());
    EXPECT_EQ(engine.GetDevice()->GetShades(), 256u);
    EXPECT_EQ(engine.GetDevice()->GetRenderMode(), 3u);

    RenderEngine fresh(host, nullptr);
    EXPECT_EQ(fresh.SetQuality(rm::D3DRMRENDER_GOURAUD), kQualityWithoutDevice);
    EXPECT_EQ(fresh.Resize(10, 10), kNoD3DRM);
}

TEST_F(RenderEngineTest, ShadesFollowTheWindowDepth) {
    struct Case {
        int depth;
        std::uint32_t shades;
        std::uint32_t textureShades;
    };
    rm::RetainedMode defaults;
    for (const Case& c : {Case{8, 32, defaults.GetDefaultTextureShades()}, Case{16, 32, 32},
                          Case{24, 256, 256}, Case{1, 4, 4}}) {
        test::FakeSurface s;
        s.depth = c.depth;
        s.drivers[0].renderBitDepths = 0xFF00;
        RenderEngine e(host, nullptr);
        ASSERT_EQ(e.Init(&s, 8, 8, false), 0) << c.depth;
        EXPECT_EQ(e.GetDevice()->GetShades(), c.shades) << c.depth;
        EXPECT_EQ(e.GetD3DRM()->GetDefaultTextureShades(), c.textureShades) << c.depth;
        EXPECT_EQ(e.GetWindowDepth(), c.depth);
    }
}

TEST(DriverTable, ChoosesAndLimitsTheDrivers) {
    const rm::DriverDescription hardware{"Fast GPU", "", true, 0x300, 0x200, true, 4};
    const rm::DriverDescription hardware16{"Old GPU", "", true, 0x400, 0x200, true, 4};
    const rm::DriverDescription ramp{"Ramp Emulation", "", false, 0x800, 0, false, 0};
    const rm::DriverDescription rgb{"RGB Emulation", "", false, 0x300, 0x200, true, 3};

    DriverTable table;
    table.windowDepth = 32;
    table.Record({ramp, rgb, hardware});
    bool prefer = true;
    ASSERT_EQ(table.Choose(prefer), 0);
    EXPECT_EQ(table.Current()->Name, "Fast GPU");
    EXPECT_TRUE(prefer);

    prefer = false;
    table.Choose(prefer);
    EXPECT_EQ(table.Current()->Name, "RGB Emulation");

    table.Record({ramp, rgb});  // software only, hardware preferred
    prefer = true;
    table.Choose(prefer);
    EXPECT_EQ(table.Current()->Name, "RGB Emulation");
    EXPECT_FALSE(prefer);

    table.Record({ramp});
    table.Choose(prefer);
    EXPECT_EQ(table.Current()->Name, "Ramp Emulation");

    // A hardware driver that cannot draw at the window depth ends the list.
    table.Record({rgb, hardware16, hardware});
    EXPECT_EQ(table.count, 1);
    // A sixth driver is never recorded.
    table.Record({rgb, rgb, rgb, rgb, rgb, rgb});
    EXPECT_EQ(table.count, 5);
    table.Record({});
    EXPECT_EQ(table.Choose(prefer), kNoDriver);
    EXPECT_EQ(DriverTable::DepthToMask(8), rm::DDBD_8);
    EXPECT_EQ(DriverTable::DepthToMask(15), 0u);
}

TEST_F(RenderEngineTest, CameraFramesTurnAndTilt) {
    ASSERT_EQ(engine.Init(&surface, 64, 48, true), 0);
    ASSERT_EQ(engine.SetParentCameraPosition(1.0f, 2.0f, 3.0f), 0);
    rm::Vector3 position;
    ASSERT_EQ(engine.GetParentCameraPosition(&position), 0);
    EXPECT_EQ(position, (rm::Vector3{1.0f, 2.0f, 3.0f}));

    rm::Vector3 direction, up;
    ASSERT_EQ(engine.SetCameraOrientation(0, 0, 1, 0, 1, 0), 0);  // pitch 0
    engine.GetCameraFrame()->GetOrientation(engine.GetParentCameraFrame(), &direction, &up);
    EXPECT_EQ(direction, (rm::Vector3{0, 0, 1}));
    EXPECT_EQ(up, (rm::Vector3{0, 1, 0}));
    ASSERT_EQ(engine.SetCameraOrientation(0, 1, 0, 0, 0, -1), 0);  // pitch pi/2: straight up
    engine.GetCameraFrame()->GetOrientation(engine.GetParentCameraFrame(), &direction, &up);
    EXPECT_NEAR(direction.y, 1.0f, 1e-6f);
    EXPECT_NEAR(up.z, -1.0f, 1e-6f);

    // Moving the parent keeps the tilt: the camera moves with it.
    engine.SetParentCameraPosition(5.0f, 2.0f, 3.0f);
    engine.GetCameraFrame()->GetPosition(nullptr, &position);
    EXPECT_EQ(position.x, 5.0f);

    // An up vector along the direction is refused with its message.
    EXPECT_LT(engine.SetParentCameraOrientation(0, 1, 0, 0, 1, 0), 0);
    EXPECT_EQ(host.Messages(), std::vector<std::string>{"Set Parent Camera orientation failed!"});
}

TEST_F(RenderEngineTest, AWiderWindowShowsMoreNotLarger) {
    // 500 pixels per unit at the front plane, as the 3D view sets it for its client size.
    const auto pixelOf = [&](int width, rm::Vector3 point) {
        const float half = static_cast<float>(width) / 1000.0f;
        engine.Resize(width, 100);
        engine.SetUniformScaling(false);
        engine.SetViewPlane(-half, half, -0.1f, 0.1f);
        rm::Vector3 screen;
        EXPECT_EQ(engine.GetViewport()->Transform(point, &screen), 0);
        return screen;
    };
    ASSERT_EQ(engine.Init(&surface, 200, 100, true), 0);
    const rm::Vector3 narrowA = pixelOf(200, {0.0f, 0.0f, 10.0f});
    const rm::Vector3 narrowB = pixelOf(200, {0.1f, 0.0f, 10.0f});
    const rm::Vector3 wideA = pixelOf(400, {0.0f, 0.0f, 10.0f});
    const rm::Vector3 wideB = pixelOf(400, {0.1f, 0.0f, 10.0f});
    EXPECT_NEAR(narrowB.x - narrowA.x, wideB.x - wideA.x, 1e-3f);  // same size on screen
    EXPECT_NEAR(wideA.x, 200.0f, 1e-3f);                           // centred in the wider view
}

TEST_F(RenderEngineTest, SmoothFrameRunsOncePerStill) {
    EXPECT_EQ(engine.SmoothFrame(5), rm::D3DRMERR_BADDEVICE);
    ASSERT_EQ(engine.Init(&surface, 16, 8, true), 0);
    engine.SetViewPlane(-0.1f, 0.1f, -0.05f, 0.05f);
    ASSERT_EQ(engine.SmoothFrame(5), 0);
    test::CountingDevice& device = *surface.lastDevice;
    EXPECT_EQ(device.renders, 5);
    EXPECT_EQ(device.writes, 1);
    EXPECT_EQ(device.updates, 6);
    ASSERT_EQ(engine.SmoothFrame(5), 0);  // no Render in between: nothing happens
    EXPECT_EQ(device.renders, 5);
    float l, r, b, t;
    engine.GetViewPlane(&l, &r, &b, &t);  // the projection window is back
    EXPECT_EQ(l, -0.1f);
    EXPECT_EQ(t, 0.05f);
    engine.Render();
    EXPECT_EQ(engine.SmoothFrame(7), rm::D3DRMERR_BADVALUE);  // no offsets for seven passes
    engine.GetViewPlane(&l, &r, &b, &t);
    EXPECT_EQ(r, 0.1f);
}

}  // namespace
}  // namespace roamer::render
