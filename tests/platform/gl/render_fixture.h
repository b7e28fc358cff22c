#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/gl/gl_device.h"
#include "platform/gl/offscreen_context.h"
#include "platform/rm/frame.h"
#include "platform/rm/mesh_builder.h"
#include "platform/rm/viewport.h"

namespace roamer::gl {

// A 64x64 device in an offscreen context, a scene and a camera at the origin looking along +z.
// The viewing window maps the square from -0.5 to 0.5 on the front plane onto the whole device.
class RenderTest : public ::testing::Test {
protected:
    static constexpr int kSize = 64;

    void SetUp() override {
        ASSERT_EQ(OffscreenContext::Create(&context), rm::D3DRM_OK);
        ASSERT_EQ(GlDevice::Create(kSize, kSize, &device), rm::D3DRM_OK);
        camera = scene.CreateChild();
        viewport = std::make_unique<rm::Viewport>(device.get(), camera, 0, 0, kSize, kSize);
        viewport->SetUniformScaling(false);
        viewport->SetPlane(-0.5f, 0.5f, -0.5f, 0.5f);
        viewport->SetBack(5000.0f);
        device->SetQuality(rm::D3DRMRENDER_UNLITFLAT);
        device->SetRenderMode(rm::D3DRMRENDERMODE_BLENDEDTRANSPARENCY |
                              rm::D3DRMRENDERMODE_SORTEDTRANSPARENCY);
    }

    void TearDown() override {
        viewport.reset();
        device.reset();
        context.reset();
    }

    rm::Picture Draw() {
        rm::Picture picture;
        EXPECT_EQ(viewport->Clear(), rm::D3DRM_OK);
        EXPECT_EQ(viewport->Render(scene), rm::D3DRM_OK);
        EXPECT_EQ(device->ReadBackBuffer(&picture), rm::D3DRM_OK);
        return picture;
    }

    static std::uint32_t Pixel(const rm::Picture& picture, int x, int y) {
        const std::size_t at =
            (static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
             static_cast<std::size_t>(x)) *
            4u;
        return (std::uint32_t{picture.rgba[at]} << 16) | (std::uint32_t{picture.rgba[at + 1]} << 8) |
               picture.rgba[at + 2];
    }

    // A square from (x0, y0) to (x1, y1) in the plane z, its front towards -z (or +z).
    static std::shared_ptr<rm::Face> AddSquare(rm::MeshBuilder& mesh, float x0, float y0,
                                               float x1, float y1, float z,
                                               bool frontTowardsCamera = true) {
        auto face = mesh.CreateFace();
        const rm::Vector3 corners[] = {{x0, y0, z}, {x0, y1, z}, {x1, y1, z}, {x1, y0, z}};
        for (int k = 0; k < 4; ++k) {
            const rm::Vector3 c = corners[frontTowardsCamera ? k : 3 - k];
            face->AddVertex(c.x, c.y, c.z);
        }
        return face;
    }

    std::unique_ptr<OffscreenContext> context;
    std::unique_ptr<GlDevice> device;
    rm::Frame scene;
    rm::Frame* camera = nullptr;
    std::unique_ptr<rm::Viewport> viewport;
};

}  // namespace roamer::gl
