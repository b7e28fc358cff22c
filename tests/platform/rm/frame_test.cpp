#include <gtest/gtest.h>

#include "platform/rm/frame.h"
#include "platform/rm/mesh_builder.h"

namespace roamer::rm {
namespace {

void ExpectNear(Vector3 actual, Vector3 expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-4f);
    EXPECT_NEAR(actual.y, expected.y, 1e-4f);
    EXPECT_NEAR(actual.z, expected.z, 1e-4f);
}

TEST(Frame, OrientationBuildsLeftHandedAxesFromDirectionAndUp) {
    Frame scene;
    Frame* frame = scene.CreateChild();
    ASSERT_EQ(frame->SetOrientation(&scene, {1, 0, 0}, {0, 1, 1}), D3DRM_OK);
    const Transform& axes = frame->LocalTransform();
    ExpectNear(axes.forward, {1, 0, 0});
    ExpectNear(axes.up, {0, 0.7071068f, 0.7071068f});
    ExpectNear(axes.right, {0, 0.7071068f, -0.7071068f});

    Vector3 direction;
    Vector3 up;
    ASSERT_EQ(frame->GetOrientation(&scene, &direction, &up), D3DRM_OK);
    ExpectNear(direction, {1, 0, 0});
    ExpectNear(up, {0, 0.7071068f, 0.7071068f});
}

TEST(Frame, OrientationRefusesUpParallelToDirectionAndKeepsPosition) {
    Frame scene;
    Frame* frame = scene.CreateChild();
    frame->SetPosition(&scene, 1, 2, 3);
    EXPECT_EQ(frame->SetOrientation(&scene, {0, 1, 0}, {0, -2, 0}), D3DRMERR_BADVALUE);
    EXPECT_EQ(frame->SetOrientation(&scene, {0, 0, 0}, {0, 1, 0}), D3DRMERR_BADVALUE);
    // Parallel off the axes, where rounding leaves a tiny square part that is no real up.
    EXPECT_EQ(frame->SetOrientation(&scene, {1, 1, 0}, {1, 1, 0}), D3DRMERR_BADVALUE);
    EXPECT_EQ(frame->SetOrientation(&scene, {1, 2, 3}, {-1, -2, -3}), D3DRMERR_BADVALUE);
    ASSERT_EQ(frame->SetOrientation(&scene, {0, 1, 0}, {0, 0, -1}), D3DRM_OK);
    Vector3 position;
    frame->GetPosition(&scene, &position);
    ExpectNear(position, {1, 2, 3});
}

TEST(Frame, PositionsAreRelativeToAnyReferenceFrame) {
    Frame scene;
    Frame* parent = scene.CreateChild();
    parent->SetPosition(&scene, 10, 0, 0);
    // Turned so that its +z looks along scene +x.
    parent->SetOrientation(&scene, {1, 0, 0}, {0, 1, 0});
    Frame* child = parent->CreateChild();

    // A new frame sits at its parent's origin.
    Vector3 position;
    child->GetPosition(&scene, &position);
    ExpectNear(position, {10, 0, 0});

    child->SetPosition(parent, 0, 0, 5);  // five ahead of the parent
    child->GetPosition(&scene, &position);
    ExpectNear(position, {15, 0, 0});
    child->GetPosition(parent, &position);
    ExpectNear(position, {0, 0, 5});

    Frame* other = scene.CreateChild();
    other->SetPosition(nullptr, 0, 1, 0);  // null reference: scene coordinates
    child->SetPosition(other, 0, 0, 0);
    child->GetPosition(&scene, &position);
    ExpectNear(position, {0, 1, 0});

    // Moving the parent moves the child with it.
    parent->SetPosition(&scene, 20, 0, 0);
    child->GetPosition(&scene, &position);
    ExpectNear(position, {10, 1, 0});
}

TEST(Frame, OrientationRelativeToTurnedReference) {
    Frame scene;
    Frame* parent = scene.CreateChild();
    parent->SetOrientation(&scene, {1, 0, 0}, {0, 1, 0});
    Frame* camera = parent->CreateChild();
    // Pitch up by 90 degrees inside the turned parent: looks straight up.
    camera->SetOrientation(parent, {0, 1, 0}, {0, 0, -1});
    const Transform world = camera->WorldTransform();
    ExpectNear(world.forward, {0, 1, 0});
    ExpectNear(world.up, {-1, 0, 0});
}

TEST(Frame, ChildrenVisualsAndLightsAreTrackedAndRemoved) {
    Frame scene;
    Frame* child = scene.CreateChild();
    auto mesh = std::make_shared<MeshBuilder>();
    EXPECT_EQ(child->AddVisual(mesh), D3DRM_OK);
    EXPECT_EQ(child->AddVisual(mesh), D3DRM_OK);
    EXPECT_EQ(child->GetVisuals().size(), 1u);
    EXPECT_EQ(child->AddVisual(nullptr), D3DRMERR_BADOBJECT);
    EXPECT_EQ(child->DeleteVisual(mesh.get()), D3DRM_OK);
    EXPECT_EQ(child->DeleteVisual(mesh.get()), D3DRMERR_NOTFOUND);

    auto light = std::make_shared<Light>(D3DRMLIGHT_POINT, 0xFFFFFFFF);
    child->AddLight(light);
    EXPECT_EQ(light->GetFrame(), child);
    EXPECT_EQ(scene.DeleteChild(child), D3DRM_OK);
    EXPECT_EQ(light->GetFrame(), nullptr);  // its frame is gone
    EXPECT_EQ(scene.DeleteChild(child), D3DRMERR_NOTFOUND);
}

}  // namespace
}  // namespace roamer::rm
