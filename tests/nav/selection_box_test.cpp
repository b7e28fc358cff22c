#include "nav/selection_box.h"

#include <gtest/gtest.h>

#include "platform/recording_host.h"
#include "platform/rm/viewport.h"
#include "render/fake_surface.h"

namespace roamer::nav {
namespace {

// Whether a camera at `eye` looking along `direction` sees the front of some face of `mesh`.
bool SeenFrom(const std::shared_ptr<rm::MeshBuilder>& mesh, rm::Vector3 eye, rm::Vector3 direction) {
    rm::Frame scene;
    rm::Frame* camera = scene.CreateChild();
    camera->SetPosition(&scene, eye.x, eye.y, eye.z);
    camera->SetOrientation(&scene, direction,
                           direction.y == 0.0f ? rm::Vector3{0, 1, 0} : rm::Vector3{0, 0, 1});
    scene.AddVisual(mesh);
    rm::Viewport viewport(nullptr, camera, 0, 0, 9, 9);
    viewport.SetBack(1000.0f);
    std::vector<rm::PickHit> hits;
    viewport.Pick(4, 4, &hits);
    return !hits.empty();
}

TEST(SelectionBox, MarkerIsClosedAndFacesOutwards) {
    auto mesh = std::make_shared<rm::MeshBuilder>();
    SelectionBox::BuildMarker(*mesh, {{-10, 0, -5}, {10, 20, 5}}, 2);
    // An arrow (tube and cone) plus twelve edge tubes: 10 faces a tube, 9 the cone.
    EXPECT_EQ(mesh->GetFaceCount(), 13 * 10 + 9);
    for (const auto& face : mesh->Faces()) EXPECT_EQ(face->GetColor(), SelectionBox::kColour);
    // Edges are seen from outside, from every side; the arrow stands above the box.
    EXPECT_TRUE(SeenFrom(mesh, {-10, 10, -50}, {0, 0, 1}));
    EXPECT_TRUE(SeenFrom(mesh, {-10, 10, 50}, {0, 0, -1}));
    EXPECT_TRUE(SeenFrom(mesh, {0, 23, -50}, {0, 0, 1}));   // the cone
    EXPECT_TRUE(SeenFrom(mesh, {-10, 60, -5}, {0, -1, 0}));  // an edge's end cap from above
    EXPECT_FALSE(SeenFrom(mesh, {-10, 10, -5}, {0, 0, -1}));  // from inside an edge: no front
    rm::Box box;
    mesh->GetBox(&box);
    EXPECT_NEAR(box.max.y, 25.0f, 1e-4f);  // cone tip at y1 + 1 + 4
}

TEST(SelectionBox, OneMarkerThatFollowsItsFrame) {
    RecordingHost host;
    render::test::FakeSurface surface;
    render::RenderEngine engine(host, nullptr);
    ASSERT_EQ(engine.Init(&surface, 16, 16, true), 0);
    rm::Frame* scene = nullptr;
    engine.GetScene(&scene);
    rm::Frame* first = scene->CreateChild();
    rm::Frame* second = scene->CreateChild();
    SelectionBox selection(engine);
    selection.ShowBox(first, {{0, 0, 0}, {1, 1, 1}}, 2);
    EXPECT_EQ(first->GetVisuals().size(), 1u);
    selection.ShowBox(second, {{0, 0, 0}, {2, 2, 2}}, 2);
    EXPECT_TRUE(first->GetVisuals().empty());
    EXPECT_EQ(second->GetVisuals().size(), 1u);
    EXPECT_EQ(selection.GetFrame(), second);
    selection.HideBox();
    EXPECT_TRUE(second->GetVisuals().empty());
    EXPECT_FALSE(selection.IsShown());
}

}  // namespace
}  // namespace roamer::nav
