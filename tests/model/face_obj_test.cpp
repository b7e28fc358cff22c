// Plane types, the sorted value set, refinement into grid cells, render faces and flat wraps.
#include <cmath>

#include <gtest/gtest.h>

#include "model/cell_budget.h"
#include "model/face_obj.h"
#include "model/model_fixture.h"
#include "model/sorted_value_set.h"

namespace roamer::model {
namespace {

using test::ModelScene;

std::unique_ptr<CFaceObj> Polygon(rm::RetainedMode& d3drm, std::vector<rm::Vector3> vertices,
                                  rm::Vector3 zNormal) {
    auto polygon = std::make_unique<CFaceObj>(d3drm, CFaceObj::kPolygon);
    polygon->SetVertices(std::move(vertices));
    polygon->SetZNormal(zNormal);
    return polygon;
}

// (y, z) pairs of a cell in the plane x = const, in vertex order.
std::vector<std::pair<float, float>> YZ(const CFaceObj& cell) {
    std::vector<std::pair<float, float>> out;
    for (const rm::Vector3& v : cell.GetVertices()) out.emplace_back(v.y, v.z);
    return out;
}

TEST(SortedValueSet, KeepsOrderDropsDuplicatesAndRefusesWhenFull) {
    SortedValueSet up(3, true);
    EXPECT_TRUE(up.Insert(5.0f));
    EXPECT_TRUE(up.Insert(1.0f));
    EXPECT_TRUE(up.Insert(5.0f));
    EXPECT_TRUE(up.Insert(3.0f));
    EXPECT_FALSE(up.Insert(4.0f));
    EXPECT_EQ(up.Count(), 3);
    EXPECT_EQ(up.First(), 1.0f);
    EXPECT_EQ(up.Get(1), 3.0f);
    EXPECT_EQ(up.Last(), 5.0f);
    EXPECT_EQ(up.Get(3), 0.0f);
    EXPECT_EQ(up.Get(-1), 0.0f);

    SortedValueSet down(4, false);
    for (float v : {2.0f, 9.0f, -1.0f}) down.Insert(v);
    EXPECT_EQ(down.First(), 9.0f);
    EXPECT_EQ(down.Last(), -1.0f);

    SortedValueSet none(0, true);
    EXPECT_FALSE(none.Insert(1.0f));
}

TEST(FaceType, ComparesOnlyTheNamedComponentInTableOrder) {
    ModelScene s;
    CFaceObj face(s.d3drm, CFaceObj::kPolygon);
    const std::pair<rm::Vector3, int> cases[] = {
        {{-1, 0, 0}, 1}, {{0, 0, 1}, 2}, {{1, 0, 0}, 3},   {{0, 0, -1}, 4},
        {{0, -1, 0}, 5}, {{0, 1, 0}, 6}, {{-1, 0.5f, 0}, 1}, {{1, 0, 1}, 2}};
    for (const auto& [normal, type] : cases) {
        face.SetZNormal(normal);
        EXPECT_EQ(face.GetFaceType(s.host), type);
    }
    EXPECT_TRUE(s.host.Messages().empty());
    face.SetZNormal({0.7f, 0, 0.7f});
    EXPECT_EQ(face.GetFaceType(s.host), 0);
    EXPECT_EQ(s.host.Messages(), std::vector<std::string>{"Error: CFaceObj::GetFaceType()!"});
}

TEST(Refine, HundredBySixtyRectangleGivesTwelveCells) {
    ModelScene s;
    CellBudget budget;
    auto polygon = Polygon(s.d3drm, {{0, 100, 10}, {0, 100, 70}, {0, 0, 70}, {0, 0, 10}},
                           {-1, 0, 0});
    polygon->Refine(25.0f, s.host, budget);
    ASSERT_EQ(polygon->GetSubFaceCount(), 12);
    const float rows[] = {100, 75, 50, 25, 0};
    const float columns[] = {10, 25, 50, 70};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 3; ++c) {
            const CFaceObj& cell = *polygon->GetSubFace(r * 3 + c);
            EXPECT_EQ(cell.GetType(), CFaceObj::kCell);
            EXPECT_EQ(cell.GetZNormal(), (rm::Vector3{-1, 0, 0}));
            EXPECT_EQ(cell.GetYNormal(), (rm::Vector3{0, 1, 0}));
            const std::vector<std::pair<float, float>> expected = {
                {rows[r], columns[c]}, {rows[r], columns[c + 1]},
                {rows[r + 1], columns[c + 1]}, {rows[r + 1], columns[c]}};
            EXPECT_EQ(YZ(cell), expected) << "cell " << r << "," << c;
            for (const rm::Vector3& v : cell.GetVertices()) EXPECT_EQ(v.x, 0.0f);
        }
    }
    EXPECT_FALSE(polygon->IsLeaf());
    std::vector<std::shared_ptr<rm::Face>> faces;
    EXPECT_EQ(polygon->CreateRenderFaces(faces), rm::D3DRM_OK);
    EXPECT_EQ(faces.size(), 12u);
}

TEST(Refine, RowBoundariesSitOnMultiplesStrictlyInside) {
    ModelScene s;
    CellBudget budget;
    // a0 = 50 on a multiple: the first inner boundary is 25. a0 = -10: it is -25.
    auto onMultiple = Polygon(s.d3drm, {{0, 50, 0}, {0, 50, 10}, {0, 0, 10}, {0, 0, 0}}, {-1, 0, 0});
    onMultiple->Refine(25.0f, s.host, budget);
    ASSERT_EQ(onMultiple->GetSubFaceCount(), 2);
    EXPECT_EQ(onMultiple->GetSubFace(0)->GetVertices()[2].y, 25.0f);

    auto negative = Polygon(s.d3drm, {{0, -10, 0}, {0, -10, 10}, {0, -60, 10}, {0, -60, 0}}, {-1, 0, 0});
    negative->Refine(25.0f, s.host, budget);
    ASSERT_EQ(negative->GetSubFaceCount(), 3);
    EXPECT_EQ(negative->GetSubFace(0)->GetVertices()[2].y, -25.0f);
    EXPECT_EQ(negative->GetSubFace(1)->GetVertices()[2].y, -50.0f);
    EXPECT_EQ(negative->GetSubFace(2)->GetVertices()[2].y, -60.0f);

    // Negative columns ascending: b0 = -30 gives -25 first, b0 = -50 gives -25 too.
    auto columns = Polygon(s.d3drm, {{0, 10, -50}, {0, 10, 5}, {0, 0, 5}, {0, 0, -50}}, {-1, 0, 0});
    columns->Refine(25.0f, s.host, budget);
    ASSERT_EQ(columns->GetSubFaceCount(), 3);
    EXPECT_EQ(columns->GetSubFace(0)->GetVertices()[1].z, -25.0f);
    EXPECT_EQ(columns->GetSubFace(1)->GetVertices()[1].z, 0.0f);
}

TEST(Refine, SmallRectangleIsOneCellEqualToIt) {
    ModelScene s;
    CellBudget budget;
    const std::vector<rm::Vector3> rect = {{3, 20, 0}, {13, 20, 0}, {13, 5, 0}, {3, 5, 0}};
    auto polygon = Polygon(s.d3drm, rect, {0, 0, 1});
    polygon->Refine(25.0f, s.host, budget);
    ASSERT_EQ(polygon->GetSubFaceCount(), 1);
    EXPECT_EQ(polygon->GetSubFace(0)->GetVertices(), rect);
}

TEST(Refine, ExtraVerticesOnTheOutlineGoIntoTheCellsAlongIt) {
    ModelScene s;
    CellBudget budget;
    // A wall face (plane z = 0, type 2) with two extra points on its lower edge, both inside
    // the one column span, where a door reveal meets it.
    auto polygon = Polygon(s.d3drm,
                           {{0, 20, 0}, {20, 20, 0}, {20, 0, 0}, {15, 0, 0}, {5, 0, 0}, {0, 0, 0}},
                           {0, 0, 1});
    polygon->Refine(25.0f, s.host, budget);
    ASSERT_EQ(polygon->GetSubFaceCount(), 1);
    const std::vector<rm::Vector3> expected = {{0, 20, 0}, {20, 20, 0}, {20, 0, 0},
                                               {15, 0, 0}, {5, 0, 0},   {0, 0, 0}};
    EXPECT_EQ(polygon->GetSubFace(0)->GetVertices(), expected);
}

TEST(Refine, ExtraVerticesAlongALongEdgeGoToTheirOwnCells) {
    ModelScene s;
    CellBudget budget;
    auto polygon = Polygon(s.d3drm,
                           {{0, 20, 0}, {100, 20, 0}, {100, 0, 0}, {60, 0, 0}, {30, 0, 0},
                            {10, 0, 0}, {0, 0, 0}},
                           {0, 0, 1});
    polygon->Refine(25.0f, s.host, budget);
    ASSERT_EQ(polygon->GetSubFaceCount(), 4);
    const std::vector<rm::Vector3> first = {{0, 20, 0}, {25, 20, 0}, {25, 0, 0}, {10, 0, 0}, {0, 0, 0}};
    EXPECT_EQ(polygon->GetSubFace(0)->GetVertices(), first);
    EXPECT_EQ(polygon->GetSubFace(1)->GetVertices().size(), 5u);
    EXPECT_EQ(polygon->GetSubFace(1)->GetVertices()[3], (rm::Vector3{30, 0, 0}));
    EXPECT_EQ(polygon->GetSubFace(2)->GetVertices()[3], (rm::Vector3{60, 0, 0}));
    EXPECT_EQ(polygon->GetSubFace(3)->GetVertices().size(), 4u);
}

TEST(Refine, PolygonsBeyondAnyRoomSurfaceAreShownWhole) {
    ModelScene s;
    CellBudget budget;
    std::vector<rm::Vector3> many;
    for (int i = 0; i < 5000; ++i) many.push_back({static_cast<float>(i), 0, 0});
    many.push_back({0, 10, 0});
    auto polygon = Polygon(s.d3drm, many, {0, 0, 1});
    polygon->Refine(25.0f, s.host, budget);
    auto notFinite = Polygon(s.d3drm, {{0, 0, 0}, {NAN, 5, 0}, {5, 5, 0}}, {0, 0, 1});
    notFinite->Refine(25.0f, s.host, budget);
    std::vector<std::shared_ptr<rm::Face>> faces;
    polygon->CreateRenderFaces(faces);
    EXPECT_EQ(faces.size(), 1u);
    // Coordinates that are no numbers are not cut (and the render layer refuses them).
    EXPECT_EQ(notFinite->GetSubFaceCount(), 0);
}

TEST(Refine, DescendingColumnsAndHorizontalPlanes) {
    ModelScene s;
    CellBudget budget;
    // Type 6 (floor facing up): rows along z descending, columns along x descending.
    auto floor = Polygon(s.d3drm, {{0, 0, 0}, {30, 0, 0}, {30, 0, 30}, {0, 0, 30}}, {0, 1, 0});
    floor->Refine(25.0f, s.host, budget);
    ASSERT_EQ(floor->GetSubFaceCount(), 4);
    const CFaceObj& first = *floor->GetSubFace(0);
    EXPECT_EQ(first.GetVertices()[0], (rm::Vector3{30, 0, 30}));
    EXPECT_EQ(first.GetVertices()[1], (rm::Vector3{25, 0, 30}));
    EXPECT_EQ(first.GetYNormal(), (rm::Vector3{0, 0, 1}));
    EXPECT_EQ(first.GetZNormal(), (rm::Vector3{0, 1, 0}));
}

TEST(Refine, UntypedNormalRendersNothingAndTellsOncePerRefinement) {
    ModelScene s;
    CellBudget budget;
    auto polygon = Polygon(s.d3drm, {{0, 0, 0}, {1, 0, 1}, {1, 1, 1}}, {0.7f, 0, 0.7f});
    polygon->Refine(25.0f, s.host, budget);
    EXPECT_EQ(s.host.Messages().size(), 1u);
    std::vector<std::shared_ptr<rm::Face>> faces;
    polygon->CreateRenderFaces(faces);
    EXPECT_TRUE(faces.empty());
    // Without refinement the same polygon is drawn as it is.
    auto whole = Polygon(s.d3drm, {{0, 0, 0}, {1, 0, 1}, {1, 1, 1}}, {0.7f, 0, 0.7f});
    whole->CreateRenderFaces(faces);
    EXPECT_EQ(faces.size(), 1u);
}

TEST(Refine, AbsurdGridsAreShownWholeInsteadOfExhaustingMemory) {
    ModelScene s;
    CellBudget budget(1000);
    auto huge = Polygon(s.d3drm, {{0, 1e6f, 0}, {0, 1e6f, 1e6f}, {0, 0, 1e6f}, {0, 0, 0}}, {-1, 0, 0});
    huge->Refine(0.001f, s.host, budget);
    auto zero = Polygon(s.d3drm, {{0, 10, 0}, {0, 10, 10}, {0, 0, 10}, {0, 0, 0}}, {-1, 0, 0});
    zero->Refine(0.0f, s.host, budget);
    auto far = Polygon(s.d3drm, {{0, 1e30f, 0}, {0, 1e30f, 1}, {0, 1e30f, 1}}, {-1, 0, 0});
    far->Refine(25.0f, s.host, budget);
    for (CFaceObj* p : {huge.get(), zero.get(), far.get()}) {
        std::vector<std::shared_ptr<rm::Face>> faces;
        p->CreateRenderFaces(faces);
        EXPECT_EQ(faces.size(), 1u);
    }
}

TEST(Refine, GroupKeepsEachPolygonsMappingInItsCells) {
    ModelScene s;
    CellBudget budget;
    auto group = test::SurfaceGroup(s.d3drm, {{0, 50, 0}, {0, 50, 50}, {0, 0, 50}, {0, 0, 0}},
                                    {0, 1, 0}, {-1, 0, 0});
    group->SetOrigin({1, 2, 3});
    group->SetScale(40, 20);
    group->SetOffset(5, 6);
    group->Refine(25.0f, s.host, budget);
    EXPECT_EQ(group->GetIsRefine(), 1);
    const CFaceObj& polygon = *group->GetSubFace(0);
    ASSERT_EQ(polygon.GetSubFaceCount(), 4);
    for (const auto& cell : polygon.SubFaces()) {
        EXPECT_EQ(cell->GetOrigin(), (rm::Vector3{1, 2, 3}));
        EXPECT_EQ(cell->GetScaleU(), 40.0f);
        EXPECT_EQ(cell->GetOffsetV(), 6.0f);
    }
    // Refining again replaces the cells rather than adding to them.
    group->Refine(25.0f, s.host, budget);
    EXPECT_EQ(group->GetSubFace(0)->GetSubFaceCount(), 4);
}

TEST(FaceObj, ColourTextureAndWrapReachEveryLeaf) {
    ModelScene s;
    CellBudget budget;
    auto group = test::SurfaceGroup(s.d3drm, {{0, 50, 0}, {0, 50, 50}, {0, 0, 50}, {0, 0, 0}},
                                    {0, 1, 0}, {-1, 0, 0});
    group->Refine(25.0f, s.host, budget);
    std::vector<std::shared_ptr<rm::Face>> faces;
    ASSERT_EQ(group->CreateRenderFaces(faces), rm::D3DRM_OK);
    ASSERT_EQ(faces.size(), 4u);
    group->SetColor(0x1F180587u);
    for (const auto& f : faces) EXPECT_EQ(f->GetColor(), 0x1F180587u);

    auto texture = std::make_shared<rm::Texture>(rm::Image{2, 2, std::vector<std::uint8_t>(16, 255)});
    TextureKey key;
    key.TextureID = 7;
    key.TextureName = "wood";
    group->SetTexture(key, texture);
    EXPECT_EQ(group->GetTextureKey().TextureID, 7);
    EXPECT_EQ(group->GetSubFace(0)->GetSubFace(3)->GetTextureKey().TextureName, "wood");
    for (const auto& f : faces) EXPECT_EQ(f->GetTexture(), texture);

    // ScaleU 30 makes a repeat of 15 units: a vertex 15 units along u from the origin has
    // moved one whole repeat; the offset shifts by half its value in the same measure.
    group->SetOrigin({0, 0, 0});
    group->SetOffset(15.0f, 0.0f);
    ASSERT_EQ(group->ApplyWrap(s.room), rm::D3DRM_OK);
    const CFaceObj& cell = *group->GetSubFace(0)->GetSubFace(0);
    ASSERT_NE(cell.GetWrap(), nullptr);
    float u0 = 0, v0 = 0, u1 = 0, v1 = 0;
    cell.GetWrap()->Map({0, 0, 0}, &u0, &v0);
    cell.GetWrap()->Map({0, 0, 15}, &u1, &v1);
    EXPECT_FLOAT_EQ(std::fabs(u1 - u0) + std::fabs(v1 - v0), 1.0f);
    EXPECT_FLOAT_EQ(u0, -0.5f);
}

TEST(FaceObj, EmptyVertexListLeavesTheFaceAsItWas) {
    ModelScene s;
    CFaceObj face(s.d3drm, CFaceObj::kPolygon);
    face.SetVertices({{1, 2, 3}});
    face.SetVertices({});
    EXPECT_EQ(face.GetVertices().size(), 1u);
    EXPECT_EQ(face.AddSubFace(nullptr), -5002);
}

}  // namespace
}  // namespace roamer::model
