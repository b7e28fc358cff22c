#include <gtest/gtest.h>

#include "platform/rm/frame.h"
#include "platform/rm/mesh_builder.h"
#include "platform/rm/viewport.h"

namespace roamer::rm {
namespace {

std::shared_ptr<MeshBuilder> Square(float z, float half, bool facingCamera) {
    auto mesh = std::make_shared<MeshBuilder>();
    auto face = mesh->CreateFace();
    // Clockwise as seen from -z: the front faces a camera looking along +z.
    const Vector3 corners[] = {{-half, -half, z}, {-half, half, z}, {half, half, z}, {half, -half, z}};
    for (int k = 0; k < 4; ++k) {
        const Vector3 c = corners[facingCamera ? k : 3 - k];
        face->AddVertex(c.x, c.y, c.z);
    }
    return mesh;
}

class ViewportTest : public ::testing::Test {
protected:
    ViewportTest() : camera(scene.CreateChild()), viewport(nullptr, camera, 0, 0, 200, 100) {
        viewport.SetUniformScaling(false);
        viewport.SetPlane(-0.2f, 0.2f, -0.1f, 0.1f);
        viewport.SetBack(5000.0f);
    }

    Frame scene;
    Frame* camera;
    Viewport viewport;
};

TEST_F(ViewportTest, ProjectsPointsOntoPixels) {
    Vector3 screen;
    ASSERT_EQ(viewport.Transform({0, 0, 10}, &screen), D3DRM_OK);
    EXPECT_NEAR(screen.x, 100.0f, 1e-3f);
    EXPECT_NEAR(screen.y, 50.0f, 1e-3f);
    // xp = 1 * 1 / 10 = 0.1 -> (0.1 + 0.2) / 0.4 * 200 = 150; yp = 0.05 -> (0.1 - 0.05) / 0.2 * 100.
    ASSERT_EQ(viewport.Transform({1, 0.5f, 10}, &screen), D3DRM_OK);
    EXPECT_NEAR(screen.x, 150.0f, 1e-3f);
    EXPECT_NEAR(screen.y, 25.0f, 1e-3f);
    ASSERT_EQ(viewport.Transform({0, 0, 1}, &screen), D3DRM_OK);
    EXPECT_NEAR(screen.z, 0.0f, 1e-5f);
    ASSERT_EQ(viewport.Transform({0, 0, 5000}, &screen), D3DRM_OK);
    EXPECT_NEAR(screen.z, 1.0f, 1e-5f);
    EXPECT_EQ(viewport.Transform({0, 0, -1}, &screen), D3DRMERR_BADVALUE);

    // The camera's own placement counts.
    camera->SetPosition(&scene, 1, 0.5f, 0);
    viewport.Transform({1, 0.5f, 10}, &screen);
    EXPECT_NEAR(screen.x, 100.0f, 1e-3f);
}

TEST_F(ViewportTest, UniformScalingUsesTheLargerSide) {
    viewport.SetPlane(-0.5f, 0.5f, -0.5f, 0.5f);
    viewport.SetUniformScaling(true);
    const ViewPlane plane = viewport.EffectivePlane();
    EXPECT_FLOAT_EQ(plane.left, -0.5f);
    EXPECT_FLOAT_EQ(plane.top, 0.25f);
    Vector3 screen;
    viewport.Transform({1, 1, 4}, &screen);  // xp = yp = 0.25
    EXPECT_NEAR(screen.x, 150.0f, 1e-3f);
    EXPECT_NEAR(screen.y, 0.0f, 1e-3f);
}

TEST_F(ViewportTest, ClippingPlanesAndWindowAreChecked) {
    EXPECT_EQ(viewport.SetBack(1.0f), D3DRMERR_BADVALUE);
    EXPECT_EQ(viewport.SetBack(0.5f), D3DRMERR_BADVALUE);
    EXPECT_EQ(viewport.SetFront(0.0f), D3DRMERR_BADVALUE);
    EXPECT_EQ(viewport.SetFront(6000.0f), D3DRMERR_BADVALUE);
    EXPECT_EQ(viewport.SetPlane(1, -1, -1, 1), D3DRMERR_BADVALUE);
    float l = 0, r = 0, b = 0, t = 0;
    viewport.GetPlane(&l, &r, &b, &t);
    EXPECT_FLOAT_EQ(r, 0.2f);
    EXPECT_EQ(viewport.Clear(), D3DRMERR_BADDEVICE);
}

TEST_F(ViewportTest, PickReturnsFrontFacesNearestFirstWithTheirFrames) {
    Frame* far = scene.CreateChild();
    Frame* near = far->CreateChild();
    auto farSquare = Square(20, 1, true);
    auto nearSquare = Square(-10, 1, true);
    auto backSquare = Square(5, 1, false);
    far->AddVisual(farSquare);
    near->SetPosition(&scene, 0, 0, 20);  // brings its square to z = 10
    near->AddVisual(nearSquare);
    scene.AddVisual(backSquare);

    std::vector<PickHit> hits;
    ASSERT_EQ(viewport.Pick(100, 50, &hits), D3DRM_OK);
    ASSERT_EQ(hits.size(), 2u);  // the square seen from behind is not hit
    EXPECT_EQ(hits[0].visual, nearSquare);
    EXPECT_EQ(hits[1].visual, farSquare);
    EXPECT_EQ(hits[0].faceIndex, 0);
    EXPECT_NEAR(hits[0].position.z, 10.0f, 1e-3f);
    EXPECT_LT(hits[0].depth, hits[1].depth);
    ASSERT_EQ(hits[0].frames.size(), 3u);
    EXPECT_EQ(hits[0].frames[0], &scene);
    EXPECT_EQ(hits[0].frames[1], far);
    EXPECT_EQ(hits[0].frames[2], near);

    // A pixel beside the squares hits nothing; one outside the viewport is refused.
    ASSERT_EQ(viewport.Pick(0, 0, &hits), D3DRM_OK);
    EXPECT_TRUE(hits.empty());
    EXPECT_EQ(viewport.Pick(200, 0, &hits), D3DRMERR_BADVALUE);

    // Beyond the back plane nothing counts.
    viewport.SetBack(15.0f);
    viewport.Pick(100, 50, &hits);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].visual, nearSquare);
}

}  // namespace
}  // namespace roamer::rm
