#include <cmath>

#include "platform/gl/driver_info.h"
#include "platform/gl/scene_programs.h"
#include "platform/rm/shadow.h"
#include "platform/rm/wrap.h"
#include "render_fixture.h"

namespace roamer::gl {
namespace {

constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kWhite = 0xFFFFFF;

int Channel(std::uint32_t rgb, int shift) { return static_cast<int>((rgb >> shift) & 0xFF); }

TEST_F(RenderTest, FaceIsDrawnFromItsFrontOnly) {
    auto mesh = std::make_shared<rm::MeshBuilder>();
    AddSquare(*mesh, -1, -1, 1, 1, 5)->SetColor(0xFFFF0000u);
    scene.AddVisual(mesh);
    EXPECT_EQ(Pixel(Draw(), 32, 32), kRed);
    EXPECT_EQ(Pixel(Draw(), 2, 2), 0u);

    mesh->Empty();
    AddSquare(*mesh, -1, -1, 1, 1, 5, false)->SetColor(0xFFFF0000u);
    EXPECT_EQ(Pixel(Draw(), 32, 32), 0u);
}

TEST_F(RenderTest, EachLightTypeLightsOnlyFacesThatFaceIt) {
    device->SetQuality(rm::D3DRMRENDER_GOURAUD);
    auto mesh = std::make_shared<rm::MeshBuilder>();
    AddSquare(*mesh, -1, -1, 1, 1, 0)->SetColor(0xFFFFFFFFu);
    rm::Frame* object = scene.CreateChild();
    object->SetPosition(&scene, 0, 0, 5);
    object->AddVisual(mesh);
    rm::Frame* lamp = scene.CreateChild();

    struct Case {
        rm::LightType type;
        rm::Vector3 position;
        rm::Vector3 direction;
        bool lit;
    };
    const Case cases[] = {
        {rm::D3DRMLIGHT_AMBIENT, {0, 0, 100}, {0, 0, -1}, true},
        {rm::D3DRMLIGHT_DIRECTIONAL, {0, 0, 0}, {0, 0, 1}, true},
        {rm::D3DRMLIGHT_DIRECTIONAL, {0, 0, 0}, {0, 0, -1}, false},
        {rm::D3DRMLIGHT_POINT, {0, 0, 0}, {0, 0, 1}, true},
        {rm::D3DRMLIGHT_POINT, {0, 0, 10}, {0, 0, 1}, false},
        {rm::D3DRMLIGHT_SPOT, {0, 0, 0}, {0, 0, 1}, true},
        {rm::D3DRMLIGHT_SPOT, {0, 0, 0}, {0, 1, 0}, false},
        {rm::D3DRMLIGHT_PARALLELPOINT, {0, 0, -3}, {0, 0, 1}, true},
        {rm::D3DRMLIGHT_PARALLELPOINT, {0, 0, 20}, {0, 0, 1}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        auto light = std::make_shared<rm::Light>(c.type, 0xFF808080u);
        lamp->SetPosition(&scene, c.position.x, c.position.y, c.position.z);
        lamp->SetOrientation(&scene, c.direction, std::abs(c.direction.y) > 0.5f
                                                      ? rm::Vector3{0, 0, 1}
                                                      : rm::Vector3{0, 1, 0});
        lamp->AddLight(light);
        const std::uint32_t centre = Pixel(Draw(), 32, 32);
        lamp->DeleteLight(light.get());
        EXPECT_EQ(centre, c.lit ? 0x808080u : 0u);
    }
}

TEST_F(RenderTest, LightsAddUpAndSpotConesFallOff) {
    device->SetQuality(rm::D3DRMRENDER_GOURAUD);
    auto mesh = std::make_shared<rm::MeshBuilder>();
    AddSquare(*mesh, -2, -2, 2, 2, 5)->SetColor(0xFFFF8040u);
    scene.AddVisual(mesh);
    auto ambient = std::make_shared<rm::Light>(rm::D3DRMLIGHT_AMBIENT, 0xFF404040u);
    auto sun = std::make_shared<rm::Light>(rm::D3DRMLIGHT_DIRECTIONAL, 0xFFFFFFFFu);
    scene.AddLight(ambient);
    camera->AddLight(sun);  // shines along +z, straight onto the face
    EXPECT_EQ(Pixel(Draw(), 32, 32), 0xFF8040u);  // clamped at full brightness
    camera->DeleteLight(sun.get());
    EXPECT_EQ(Pixel(Draw(), 32, 32), 0x402010u);

    // A narrow spot: full inside half its umbra, nothing outside half its penumbra.
    scene.DeleteLight(ambient.get());
    auto spot = std::make_shared<rm::Light>(rm::D3DRMLIGHT_SPOT, 0xFFFFFFFFu);
    spot->SetUmbra(0.1f);
    spot->SetPenumbra(0.2f);
    camera->AddLight(spot);
    const rm::Picture picture = Draw();
    EXPECT_EQ(Pixel(picture, 32, 32), 0xFF8040u);
    EXPECT_EQ(Pixel(picture, 5, 32), 0u);
    // Between the two it fades smoothly, never brightening outwards.
    int between = 0;
    for (int x = 33; x < 45; ++x) {
        const int red = Channel(Pixel(picture, x, 32), 16);
        EXPECT_LE(red, Channel(Pixel(picture, x - 1, 32), 16)) << x;
        between += red > 0 && red < 255 ? 1 : 0;
    }
    EXPECT_GE(between, 2);

    // Light does not weaken with distance: a point light near the face or far from it.
    camera->DeleteLight(spot.get());
    auto bulb = std::make_shared<rm::Light>(rm::D3DRMLIGHT_POINT, 0xFF808080u);
    rm::Frame* lamp = scene.CreateChild();
    lamp->AddLight(bulb);
    lamp->SetPosition(&scene, 0, 0, 4);
    const std::uint32_t near = Pixel(Draw(), 32, 32);
    lamp->SetPosition(&scene, 0, 0, -40);
    EXPECT_EQ(Pixel(Draw(), 32, 32), near);
    EXPECT_EQ(near, 0x804020u);
}

// A design with many lamps, doubled by its reflection: the last of 40 lights still lights (any
// OpenGL 3.3 context has room for 46).
TEST_F(RenderTest, EveryLightOfALargeDesignReachesTheFaces) {
    device->SetQuality(rm::D3DRMRENDER_GOURAUD);
    auto mesh = std::make_shared<rm::MeshBuilder>();
    AddSquare(*mesh, -2, -2, 2, 2, 5)->SetColor(0xFFFFFFFFu);
    scene.AddVisual(mesh);
    for (int i = 0; i < 39; ++i) {
        camera->AddLight(std::make_shared<rm::Light>(rm::D3DRMLIGHT_SPOT, 0xFF000000u));
    }
    camera->AddLight(std::make_shared<rm::Light>(rm::D3DRMLIGHT_POINT, 0xFF606060u));
    EXPECT_EQ(Pixel(Draw(), 32, 32), 0x606060u);
}

// Gouraud shading lights the vertices and blends their colours; Phong blends the normals and
// lights each pixel. Corner normals tilted 45 degrees left and right under a light shining
// straight on: every corner gets cos 45 degrees, so Gouraud is that bright everywhere, while the
// normal blended half-way faces the light head on.
TEST_F(RenderTest, GouraudBlendsLitCornersAndPhongBlendsNormals) {
    auto mesh = std::make_shared<rm::MeshBuilder>();
    auto face = mesh->CreateFace();
    const float s = std::sqrt(0.5f);
    face->AddVertexAndNormal({-1, -1, 5}, {-s, 0, -s});
    face->AddVertexAndNormal({-1, 1, 5}, {-s, 0, -s});
    face->AddVertexAndNormal({1, 1, 5}, {s, 0, -s});
    face->AddVertexAndNormal({1, -1, 5}, {s, 0, -s});
    face->SetColor(0xFFFFFFFFu);
    scene.AddVisual(mesh);
    camera->AddLight(std::make_shared<rm::Light>(rm::D3DRMLIGHT_DIRECTIONAL, 0xFFFFFFFFu));

    device->SetQuality(rm::D3DRMRENDER_GOURAUD);
    const rm::Picture gouraud = Draw();
    EXPECT_NEAR(Channel(Pixel(gouraud, 32, 32), 0), 180, 2);
    EXPECT_NEAR(Channel(Pixel(gouraud, 20, 32), 0), 180, 2);

    device->SetQuality(rm::D3DRMRENDER_PHONG);
    const rm::Picture phong = Draw();
    EXPECT_GE(Channel(Pixel(phong, 32, 32), 0), 253);
    EXPECT_LT(Channel(Pixel(phong, 20, 32), 0), 253);
}

// With Gouraud shading a directional light is summed at the vertices and a spot at each pixel;
// together with the ambient light they add up before the sum is clamped.
TEST_F(RenderTest, VertexAndPixelLightsAddUp) {
    device->SetQuality(rm::D3DRMRENDER_GOURAUD);
    auto mesh = std::make_shared<rm::MeshBuilder>();
    AddSquare(*mesh, -2, -2, 2, 2, 5)->SetColor(0xFFFFFFFFu);
    scene.AddVisual(mesh);
    scene.AddLight(std::make_shared<rm::Light>(rm::D3DRMLIGHT_AMBIENT, 0xFF202020u));
    camera->AddLight(std::make_shared<rm::Light>(rm::D3DRMLIGHT_DIRECTIONAL, 0xFF404040u));
    auto spot = std::make_shared<rm::Light>(rm::D3DRMLIGHT_SPOT, 0xFF404040u);
    spot->SetUmbra(0.1f);
    spot->SetPenumbra(0.2f);
    camera->AddLight(spot);
    const rm::Picture picture = Draw();
    EXPECT_EQ(Pixel(picture, 32, 32), 0xA0A0A0u);  // all three
    EXPECT_EQ(Pixel(picture, 10, 32), 0x606060u);  // outside the cone: ambient and directional

    camera->AddLight(std::make_shared<rm::Light>(rm::D3DRMLIGHT_DIRECTIONAL, 0xFFFFFFFFu));
    EXPECT_EQ(Pixel(Draw(), 32, 32), 0xFFFFFFu);  // clamped
}

TEST_F(RenderTest, TextureIsUprightAndNotMirrored) {
    // Top row red, green; bottom row blue, white.
    auto texture = std::make_shared<rm::Texture>(
        rm::Image{2, 2, {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255}});
    auto mesh = std::make_shared<rm::MeshBuilder>();
    // Built as picture faces are: right-bottom, left-bottom, left-top, right-top, wrapped from
    // the first vertex with up running from the third vertex to the second.
    auto face = mesh->CreateFace();
    face->AddVertex(1, -1, 5);
    face->AddVertex(-1, -1, 5);
    face->AddVertex(-1, 1, 5);
    face->AddVertex(1, 1, 5);
    face->SetTexture(texture);
    std::unique_ptr<rm::Wrap> wrap;
    ASSERT_EQ(rm::Wrap::Create(rm::D3DRMWRAP_FLAT, {1, -1, 5}, face->Normal(), {0, -2, 0}, 0, 0,
                               0.5f, 0.5f, &wrap),
              rm::D3DRM_OK);
    wrap->Apply(*face);
    scene.AddVisual(mesh);
    const rm::Picture picture = Draw();
    EXPECT_EQ(Pixel(picture, 26, 26), kRed);
    EXPECT_EQ(Pixel(picture, 38, 26), kGreen);
    EXPECT_EQ(Pixel(picture, 26, 38), kBlue);
    EXPECT_EQ(Pixel(picture, 38, 38), kWhite);
}

TEST_F(RenderTest, ColourKeyedTexelsAreSeeThrough) {
    auto texture = std::make_shared<rm::Texture>(
        rm::Image{2, 1, {0, 0, 0, 255, 255, 0, 0, 255}});  // black, red
    texture->SetDecalTransparency(true);
    auto mesh = std::make_shared<rm::MeshBuilder>();
    auto front = AddSquare(*mesh, -1, -1, 1, 1, 5);
    front->SetTexture(texture);
    // u from 0 at the left to 1 at the right.
    front->SetTextureCoordinates(0, 0, 1);
    front->SetTextureCoordinates(1, 0, 0);
    front->SetTextureCoordinates(2, 1, 0);
    front->SetTextureCoordinates(3, 1, 1);
    AddSquare(*mesh, -4, -4, 4, 4, 10)->SetColor(0xFF0000FFu);
    scene.AddVisual(mesh);
    rm::Picture picture = Draw();
    EXPECT_EQ(Pixel(picture, 26, 32), kBlue);
    EXPECT_EQ(Pixel(picture, 38, 32), kRed);

    // Filtered, the edge of what stays shows no trace of the keyed colour.
    device->SetTextureQuality(rm::D3DRMTEXTURE_LINEAR);
    picture = Draw();
    for (int x = 20; x < 44; ++x) {
        const std::uint32_t pixel = Pixel(picture, x, 32);
        EXPECT_TRUE(pixel == kBlue || pixel == kRed) << x << ": " << std::hex << pixel;
    }

    // On a see-through face the keyed texels stay out of the blend too.
    device->SetTextureQuality(rm::D3DRMTEXTURE_NEAREST);
    front->SetColor(0x80FFFFFFu);
    picture = Draw();
    EXPECT_EQ(Pixel(picture, 26, 32), kBlue);
    EXPECT_NEAR(Channel(Pixel(picture, 38, 32), 16), 128, 2);
    EXPECT_NEAR(Channel(Pixel(picture, 38, 32), 0), 127, 2);
    front->SetColor(0xFFFFFFFFu);

    texture->SetDecalTransparency(false);
    picture = Draw();
    EXPECT_EQ(Pixel(picture, 26, 32), 0u);
}

TEST_F(RenderTest, HalfTransparentFacesShowWhatLiesBehind) {
    auto mesh = std::make_shared<rm::MeshBuilder>();
    // The see-through face is added first: sorting, not the order of the faces, puts it last.
    AddSquare(*mesh, -1, -1, 1, 1, 5)->SetColor(0x80FF0000u);
    AddSquare(*mesh, -4, -4, 4, 4, 10)->SetColor(0xFF0000FFu);
    auto nearer = std::make_shared<rm::MeshBuilder>();
    AddSquare(*nearer, -0.5f, -0.5f, 0.5f, 0.5f, 4)->SetColor(0x8000FF00u);
    scene.AddVisual(nearer);
    scene.AddVisual(mesh);
    const rm::Picture picture = Draw();
    const std::uint32_t blended = Pixel(picture, 21, 21);
    EXPECT_NEAR(Channel(blended, 16), 128, 2);
    EXPECT_EQ(Channel(blended, 8), 0);
    EXPECT_NEAR(Channel(blended, 0), 127, 2);
    // Green over (red over blue): all three show.
    const std::uint32_t both = Pixel(picture, 32, 32);
    EXPECT_NEAR(Channel(both, 16), 64, 2);
    EXPECT_NEAR(Channel(both, 8), 128, 2);
    EXPECT_NEAR(Channel(both, 0), 63, 2);
}

TEST_F(RenderTest, ShadowDarkensThePlaneOncePerPixel) {
    auto wall = std::make_shared<rm::MeshBuilder>();
    AddSquare(*wall, -8, -8, 8, 8, 10)->SetColor(0xFFFFFFFFu);
    scene.AddVisual(wall);
    // The caster turns its back to the camera, so only its shadow shows; its two faces overlap.
    auto caster = std::make_shared<rm::MeshBuilder>();
    AddSquare(*caster, 0.5f, -0.5f, 1.5f, 0.5f, 5, false);
    AddSquare(*caster, 0.6f, -0.5f, 1.5f, 0.5f, 5, false);
    rm::Frame* object = scene.CreateChild();
    object->AddVisual(caster);
    auto light = std::make_shared<rm::Light>(rm::D3DRMLIGHT_POINT, 0xFFFFFFFFu);
    camera->AddLight(light);
    std::shared_ptr<rm::Shadow> shadow;
    ASSERT_EQ(rm::Shadow::Create(caster, light, {0, 0, 9.9f}, {0, 0, -1}, &shadow), rm::D3DRM_OK);
    object->AddVisual(shadow);

    // The shadow spans x 1.7 .. 3 on the wall: pixels 42 .. 47 at the middle row.
    const rm::Picture picture = Draw();
    EXPECT_EQ(Pixel(picture, 44, 32), 0x7F7F7Fu);
    EXPECT_EQ(Pixel(picture, 20, 32), kWhite);
    EXPECT_EQ(Pixel(picture, 44, 20), kWhite);

    // A directional light casts along its direction: straight behind the caster, x 0.5 .. 1.5.
    auto sun = std::make_shared<rm::Light>(rm::D3DRMLIGHT_DIRECTIONAL, 0xFFFFFFFFu);
    camera->AddLight(sun);
    std::shared_ptr<rm::Shadow> cast;
    ASSERT_EQ(rm::Shadow::Create(caster, sun, {0, 0, 9.9f}, {0, 0, -1}, &cast), rm::D3DRM_OK);
    object->DeleteVisual(shadow.get());
    object->AddVisual(cast);
    const rm::Picture straight = Draw();
    EXPECT_EQ(Pixel(straight, 38, 32), 0x7F7F7Fu);
    EXPECT_EQ(Pixel(straight, 48, 32), kWhite);
}

TEST_F(RenderTest, NearestAndLinearFilteringDiffer) {
    auto texture = std::make_shared<rm::Texture>(
        rm::Image{2, 1, {0, 0, 0, 255, 255, 255, 255, 255}});
    auto mesh = std::make_shared<rm::MeshBuilder>();
    auto face = AddSquare(*mesh, -2, -2, 2, 2, 5);
    face->SetTexture(texture);
    face->SetTextureCoordinates(0, 0, 1);
    face->SetTextureCoordinates(1, 0, 0);
    face->SetTextureCoordinates(2, 1, 0);
    face->SetTextureCoordinates(3, 1, 1);
    scene.AddVisual(mesh);
    device->SetTextureQuality(rm::D3DRMTEXTURE_NEAREST);
    const std::uint32_t nearest = Pixel(Draw(), 28, 32);
    device->SetTextureQuality(rm::D3DRMTEXTURE_LINEAR);
    const std::uint32_t linear = Pixel(Draw(), 28, 32);
    EXPECT_EQ(nearest, 0u);
    EXPECT_GT(Channel(linear, 16), 40);
    EXPECT_LT(Channel(linear, 16), 215);
}

TEST_F(RenderTest, NextFrameShowsScaleAndMoves) {
    auto mesh = std::make_shared<rm::MeshBuilder>();
    AddSquare(*mesh, -0.5f, -0.5f, 0.5f, 0.5f, 0)->SetColor(0xFF00FF00u);
    rm::Frame* object = scene.CreateChild();
    object->SetPosition(&scene, 0, 0, 5);
    object->AddVisual(mesh);
    EXPECT_EQ(Pixel(Draw(), 40, 32), 0u);
    mesh->Scale(3, 3, 3);
    EXPECT_EQ(Pixel(Draw(), 40, 32), kGreen);
    object->SetPosition(&scene, -3, 0, 5);
    EXPECT_EQ(Pixel(Draw(), 40, 32), 0u);
    EXPECT_EQ(Pixel(Draw(), 5, 32), kGreen);
    mesh->SetColor(0xFFFF0000u);
    EXPECT_EQ(Pixel(Draw(), 5, 32), kRed);
}

TEST_F(RenderTest, PicturesGoThroughBackAndFrontBuffers) {
    rm::Picture picture;
    picture.width = kSize;
    picture.height = kSize;
    picture.rgba.assign(static_cast<std::size_t>(kSize * kSize) * 4u, 0);
    picture.rgba[0] = 200;  // top-left pixel
    picture.rgba[3] = 255;
    ASSERT_EQ(device->WriteBackBuffer(picture), rm::D3DRM_OK);
    rm::Picture back;
    ASSERT_EQ(device->ReadBackBuffer(&back), rm::D3DRM_OK);
    EXPECT_EQ(Pixel(back, 0, 0), 0xC80000u);
    EXPECT_EQ(Pixel(back, 0, kSize - 1), 0u);
    rm::Picture front;
    ASSERT_EQ(device->Update(), rm::D3DRM_OK);
    ASSERT_EQ(device->ReadFrontBuffer(&front), rm::D3DRM_OK);
    EXPECT_EQ(front.rgba, back.rgba);
    picture.width = 3;
    EXPECT_EQ(device->WriteBackBuffer(picture), rm::D3DRMERR_BADVALUE);
}

TEST_F(RenderTest, ADenseDeviceDrawsTheSamePictureWithMorePixels) {
    // A square over the right half of the view, on a device with 1.5 device pixels a logical one.
    auto mesh = std::make_shared<rm::MeshBuilder>();
    AddSquare(*mesh, 0, -3, 3, 3, 5)->SetColor(0xFFFF0000u);
    scene.AddVisual(mesh);
    std::unique_ptr<GlDevice> dense;
    ASSERT_EQ(GlDevice::Create(kSize, kSize, &dense, 1.5), rm::D3DRM_OK);
    EXPECT_EQ(dense->GetWidth(), kSize);
    EXPECT_EQ(dense->GetPixelWidth(), 96);
    dense->SetQuality(rm::D3DRMRENDER_UNLITFLAT);
    // A viewport over the lower-right quarter only: its rectangle scales with the pixels.
    rm::Viewport quarter(dense.get(), camera, kSize / 2, kSize / 2, kSize / 2, kSize / 2);
    quarter.SetUniformScaling(false);
    quarter.SetPlane(-0.5f, 0.5f, -0.5f, 0.5f);
    quarter.SetBack(5000.0f);
    ASSERT_EQ(quarter.Clear(), rm::D3DRM_OK);
    ASSERT_EQ(quarter.Render(scene), rm::D3DRM_OK);
    rm::Picture picture;
    ASSERT_EQ(dense->ReadBackBuffer(&picture), rm::D3DRM_OK);
    ASSERT_EQ(picture.width, 96);
    ASSERT_EQ(picture.height, 96);
    EXPECT_EQ(Pixel(picture, 60, 80), 0u);     // left half of the quarter: the empty side
    EXPECT_EQ(Pixel(picture, 90, 50), kRed);   // right half of the quarter
    EXPECT_EQ(Pixel(picture, 90, 45), 0u);     // above the quarter: never drawn
    EXPECT_EQ(Pixel(picture, 30, 80), 0u);     // left of it
    rm::Picture wrongSize = Draw();            // 64x64, of the plain device
    EXPECT_EQ(dense->WriteBackBuffer(wrongSize), rm::D3DRMERR_BADVALUE);
    EXPECT_EQ(dense->WriteBackBuffer(picture), rm::D3DRM_OK);

    std::unique_ptr<GlDevice> refused;
    EXPECT_EQ(GlDevice::Create(kSize, kSize, &refused, 0.5), rm::D3DRMERR_BADVALUE);
    EXPECT_EQ(GlDevice::Create(kSize, kSize, &refused, 100000.0), rm::D3DRMERR_BADVALUE);
}

TEST_F(RenderTest, DeviceStateReadsBackAndDriverIsReported) {
    EXPECT_EQ(device->SetQuality(rm::D3DRMRENDER_GOURAUD), rm::D3DRM_OK);
    EXPECT_EQ(device->GetQuality(), 0x89u);
    EXPECT_EQ(device->SetQuality(0x200), rm::D3DRMERR_BADVALUE);
    EXPECT_EQ(device->GetQuality(), 0x89u);
    device->SetDither(false);
    EXPECT_FALSE(device->GetDither());
    EXPECT_EQ(device->SetShades(256), rm::D3DRM_OK);
    EXPECT_EQ(device->SetShades(100), rm::D3DRMERR_BADVALUE);
    EXPECT_EQ(device->GetShades(), 256u);
    EXPECT_EQ(device->GetRenderMode(), 3u);

    const std::vector<DriverInfo> drivers = EnumerateDrivers();
    ASSERT_EQ(drivers.size(), 1u);
    EXPECT_EQ(drivers[0].name == "RGB Emulation", !drivers[0].isHardware);
    EXPECT_TRUE(drivers[0].perspectiveTextures);
    EXPECT_NE(drivers[0].zBufferBitDepths, 0u);
    EXPECT_NE(drivers[0].renderBitDepths & DDBD_32, 0u);
}

// An arrangement is built once; one the driver cannot hold answers with its log every time,
// without the frame compiling it again.
TEST_F(RenderTest, SceneProgramsAreBuiltOncePerArrangement) {
    SceneProgramCache cache;
    std::string error;
    const SceneProgramCache::Programs* none = cache.Get({}, 0, &error);
    ASSERT_NE(none, nullptr) << error;
    EXPECT_EQ(cache.Get({}, 0, &error), none);
    EXPECT_NE(cache.Get({1, 2}, 1, &error), none);

    const std::vector<GLint> tooMany(5000, 1);  // far past any driver's uniform space
    EXPECT_EQ(cache.Get(tooMany, 0, &error), nullptr);
    const std::string log = error;
    EXPECT_FALSE(log.empty());
    error.clear();
    EXPECT_EQ(cache.Get(tooMany, 0, &error), nullptr);
    EXPECT_EQ(error, log);
    EXPECT_EQ(cache.Get({}, 0, &error), none);
}

}  // namespace
}  // namespace roamer::gl
