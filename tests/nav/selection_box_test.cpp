#include "nav/selection_box.h"

#include <map>

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

// The marker's extent: the box grown by the tube radius on every side, and the arrow along the
// axis the mode names, ending 5 units past the box.
TEST(SelectionBox, MarkerEnclosesTheBoxWithTheArrowOnItsAxis) {
    const rm::Box box{{-10, 0, -5}, {10, 20, 5}};
    const float w = SelectionBox::kTubeRadius;
    for (int mode = 0; mode <= 4; ++mode) {
        SCOPED_TRACE(mode);
        rm::MeshBuilder mesh;
        SelectionBox::BuildMarker(mesh, box, mode);
        const bool arrow = mode >= 1 && mode <= 3;
        EXPECT_EQ(mesh.GetFaceCount(), arrow ? 13 * 10 + 9 : 12 * 10);
        rm::Box extent;
        mesh.GetBox(&extent);
        rm::Vector3 max{10 + w, 20 + w, 5 + w};
        if (mode == 1) max.x = 15.0f;
        if (mode == 2) max.y = 25.0f;
        if (mode == 3) max.z = 10.0f;
        EXPECT_NEAR(extent.min.x, -10 - w, 1e-4f);
        // An arrow along x or z lies at height 0: its cone, 1.2 wide, reaches below the box.
        EXPECT_NEAR(extent.min.y, mode == 1 || mode == 3 ? -1.2f : -w, 1e-4f);
        EXPECT_NEAR(extent.min.z, -5 - w, 1e-4f);
        EXPECT_NEAR(extent.max.x, max.x, 1e-4f);
        EXPECT_NEAR(extent.max.y, max.y, 1e-4f);
        EXPECT_NEAR(extent.max.z, max.z, 1e-4f);
        // Each tube: two octagonal caps and eight sides; the cone: one cap and eight triangles.
        std::map<int, int> sides;
        for (const auto& face : mesh.Faces()) {
            ++sides[face->GetVertexCount()];
            if (face->GetVertexCount() != 8) continue;
            // A cap is a regular octagon: every corner as far from its centre, each edge as long.
            rm::Vector3 centre{}, p, n;
            for (int k = 0; k < 8; ++k) {
                face->GetVertex(k, &p, &n);
                centre = centre + p * 0.125f;
            }
            rm::Vector3 first, next;
            face->GetVertex(0, &first, &n);
            face->GetVertex(1, &next, &n);
            const float radius = rm::VectorLength(first - centre);
            const float side = rm::VectorLength(next - first);
            EXPECT_GT(side, 0.1f);
            // Its vertex normals run along its axis, the same way for every cap.
            for (int k = 0; k < 8; ++k) {
                face->GetVertex(k, &p, &n);
                EXPECT_LT(rm::DotProduct(n, face->Normal()), -0.99f);
            }
            for (int k = 0; k < 8; ++k) {
                face->GetVertex(k, &p, &n);
                face->GetVertex((k + 1) % 8, &next, &n);
                EXPECT_NEAR(rm::VectorLength(p - centre), radius, 1e-4f);
                EXPECT_NEAR(rm::VectorLength(next - p), side, 1e-4f);
            }
        }
        const int tubes = arrow ? 13 : 12;
        std::map<int, int> expected{{4, 8 * tubes}, {8, 2 * tubes}};
        if (arrow) expected = {{3, 8}, {4, 8 * tubes}, {8, 2 * tubes + 1}};
        EXPECT_EQ(sides, expected);
    }
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
