// Walls: building their surfaces, the legacy down surface, door boxes and reference points,
// and the user colour.
#include <gtest/gtest.h>

#include "model/model_fixture.h"
#include "model/wall.h"

namespace roamer::model {
namespace {

using test::ModelScene;

struct WallScene : ModelScene {
    CellBudget cells;
    TextureCache textures{d3drm, ""};
    BuildContext context{d3drm, host, textures, cells};
};

std::unique_ptr<CWall> MakeWall(ModelScene& s, std::vector<CPlanPoint> line, rm::Vector3 pos) {
    auto wall = std::make_unique<CWall>(s.d3drm, s.room);
    wall->SetGeometry(100.0, 0.0, pos, CPolyLine(std::move(line)), 1.0);
    return wall;
}

TEST(Wall, BuildsEachListIntoOneMeshAndKeepsGroupColours) {
    WallScene s;
    auto wall = MakeWall(s, {{0, 0}, {50, 0}}, {0, 0, 0});
    auto side = std::make_unique<CWallFace>();
    side->IsRefine = 0;
    auto group = test::SurfaceGroup(s.d3drm, {{0, 50, 0}, {50, 50, 0}, {50, 0, 0}, {0, 0, 0}},
                                    {0, 1, 0}, {0, 0, 1});
    group->SetColor(0xFF112233u);
    side->AddFace(std::move(group));
    wall->AddWallFace(std::move(side));
    auto up = test::SurfaceGroup(s.d3drm, {{0, 100, 0}, {50, 100, 0}, {50, 100, 10}}, {0, 0, 1},
                                 {0, 1, 0});
    up->SetColor(0xFF445566u);
    wall->AddUpWallFace(std::move(up));
    auto door = std::make_unique<CDoor>();
    door->AddDoorFace(test::SurfaceGroup(s.d3drm, {{0, 0, 0}, {0, 10, 0}, {0, 10, 5}}, {0, 1, 0},
                                         {-1, 0, 0}));
    wall->AddDoor(std::move(door));
    wall->BuildFaces(s.context);
    const auto& faces = wall->GetMeshBuilder()->Faces();
    ASSERT_EQ(faces.size(), 3u);  // not refined: one face per polygon
    EXPECT_EQ(faces[0]->GetColor(), 0xFF112233u);
    EXPECT_EQ(faces[1]->GetColor(), 0xFF445566u);
    EXPECT_TRUE(s.host.Messages().empty());

    wall->Show(true);
    wall->Show(true);
    EXPECT_EQ(wall->GetFrame()->GetVisuals().size(), 1u);
    wall->Show(false);
    EXPECT_TRUE(wall->GetFrame()->GetVisuals().empty());
}

TEST(Wall, RefinedWallFaceAndMissingTextureMessage) {
    WallScene s;
    auto wall = MakeWall(s, {{0, 0}, {100, 0}}, {0, 0, 0});
    auto side = std::make_unique<CWallFace>();
    side->IsRefine = 1;
    side->RefineScale = 25.0f;
    auto group = test::SurfaceGroup(s.d3drm, {{0, 50, 0}, {50, 50, 0}, {50, 0, 0}, {0, 0, 0}},
                                    {0, 1, 0}, {0, 0, 1});
    TextureKey key;
    key.TextureID = 3;
    key.TextureName = "\xA4\xEC";  // code page 950 "木"
    key.TextureFile = "nothing.bmp";
    group->SetTextureKey(key);
    group->SetColor(0xFF808080u);
    side->AddFace(std::move(group));
    wall->AddWallFace(std::move(side));
    wall->BuildFaces(s.context);
    EXPECT_EQ(wall->GetMeshBuilder()->GetFaceCount(), 4);
    EXPECT_EQ(s.host.Messages(), std::vector<std::string>{"材質圖案:木不存在，無法載入！"});
    const CFaceObj& built = *wall->GetWallFace(0)->GetFace(0);
    EXPECT_EQ(built.GetTextureKey(), TextureKey{});
    EXPECT_EQ(built.GetColor(), 0xFF808080u);
    EXPECT_EQ(wall->GetMeshBuilder()->Faces()[0]->GetColor(), 0xFF808080u);
}

TEST(Wall, DownFaceFromLineRunsBackwardsAtTheBottom) {
    WallScene s;
    auto wall = std::make_unique<CWall>(s.d3drm, s.room);
    wall->SetGeometry(100.0, 4.0, {10, 1, 20},
                      CPolyLine({{20, 40}, {60, 40}, {60, 50}, {20, 50}}), 2.0);
    wall->BuildDownFaceFromLine();
    ASSERT_EQ(wall->DownWallFaceList().size(), 1u);
    const CFaceObj& group = *wall->GetDownWallFace(0);
    const std::vector<rm::Vector3> expected = {{0, 3, 5}, {20, 3, 5}, {20, 3, 0}, {0, 3, 0}};
    EXPECT_EQ(group.GetSubFace(0)->GetVertices(), expected);
    EXPECT_EQ(group.GetVertices(), expected);
    EXPECT_EQ(group.GetColor(), 0xFF404040u);
    EXPECT_EQ(group.GetZNormal(), (rm::Vector3{0, 1, 0}));
    EXPECT_EQ(group.GetYNormal(), (rm::Vector3{0, 0, -1}));
    EXPECT_EQ(group.GetOrigin(), expected.front());
    EXPECT_EQ(group.GetScaleU(), 30.0f);
}

CDoor& AddDoor(CWall& wall, int faceType) {
    auto door = std::make_unique<CDoor>();
    door->FaceType = faceType;
    door->Top = 80;
    door->Bottom = 0;
    door->Left = 10;
    door->Right = 40;
    door->Depth = 12;
    CDoor& ref = *door;
    wall.AddDoor(std::move(door));
    return ref;
}

TEST(Wall, DoorBoxesOfEachFaceType) {
    WallScene s;
    // Runs towards +x (no point left of the first) and not towards -y (a point above it).
    auto wall = MakeWall(s, {{0, 0}, {100, 10}}, {100, 5, 200});
    CDoor& t1 = AddDoor(*wall, 1);
    CDoor& t2 = AddDoor(*wall, 2);
    CDoor& t3 = AddDoor(*wall, 3);
    CDoor& t4 = AddDoor(*wall, 4);
    CDoor& t9 = AddDoor(*wall, 9);
    wall->ComputeDoorBoxes();
    EXPECT_EQ(t1.Box, (DoorBox{100, 112, 5, 85, 210, 240}));
    EXPECT_EQ(t2.Box, (DoorBox{110, 140, 5, 85, 200, 212}));
    EXPECT_EQ(t3.Box, (DoorBox{100, 112, 5, 85, 240, 210}));
    EXPECT_EQ(t4.Box, (DoorBox{140, 110, 5, 85, 200, 212}));
    EXPECT_EQ(t9.Box, DoorBox{});

    // The other directions: towards -x and towards -y.
    auto back = MakeWall(s, {{100, 10}, {0, 0}}, {100, 5, 200});
    CDoor& b1 = AddDoor(*back, 1);
    CDoor& b2 = AddDoor(*back, 2);
    CDoor& b3 = AddDoor(*back, 3);
    back->ComputeDoorBoxes();
    EXPECT_EQ(b1.Box, (DoorBox{88, 100, 5, 85, 210, 240}));
    EXPECT_EQ(b2.Box, (DoorBox{110, 140, 5, 85, 188, 200}));
    EXPECT_EQ(b3.Box, (DoorBox{88, 100, 5, 85, 240, 210}));
}

TEST(Wall, DoorReferencePointsAndNearness) {
    WallScene s;
    auto wall = MakeWall(s, {{0, 0}}, {100, 5, 200});  // one point: +x and -y
    CDoor& t2 = AddDoor(*wall, 2);
    CDoor& t3 = AddDoor(*wall, 3);
    CDoor& t7 = AddDoor(*wall, 7);
    using P = CWall::DoorPoint;
    EXPECT_EQ(wall->DoorReferencePoint(t2, P::kCentre), (rm::Vector3{125, 5, 197}));
    EXPECT_EQ(wall->DoorReferencePoint(t2, P::kLeft), (rm::Vector3{110, 5, 197}));
    EXPECT_EQ(wall->DoorReferencePoint(t2, P::kRight), (rm::Vector3{140, 5, 197}));
    EXPECT_EQ(wall->DoorReferencePoint(t3, P::kCentre), (rm::Vector3{103, 5, 225}));
    EXPECT_EQ(wall->DoorReferencePoint(t7, P::kCentre), (rm::Vector3{}));

    EXPECT_TRUE(IsNear({10.9f, 0, 0}, {2.1f, 0, 0}));
    EXPECT_FALSE(IsNear({11.0f, 0, 0}, {2.1f, 0, 0}));
    EXPECT_TRUE(IsNear({-8.9f, 3, 3}, {0, 3, 3}));
    EXPECT_FALSE(IsNear({0, 0, 0}, {0, 0, 9}));
}

TEST(Wall, UserColourReplacesFaceColoursButKeepsTextures) {
    WallScene s;
    auto wall = MakeWall(s, {{0, 0}, {50, 0}}, {0, 0, 0});
    auto side = std::make_unique<CWallFace>();
    side->AddFace(test::SurfaceGroup(s.d3drm, {{0, 50, 0}, {50, 50, 0}, {50, 0, 0}}, {0, 1, 0},
                                     {0, 0, 1}));
    wall->AddWallFace(std::move(side));
    wall->BuildFaces(s.context);
    auto texture = std::make_shared<rm::Texture>(rm::Image{1, 1, {1, 2, 3, 255}});
    wall->GetMeshBuilder()->Faces()[0]->SetTexture(texture);
    wall->ApplyUserColour({0x10, 0x20, 0x30, 0x80});
    EXPECT_EQ(wall->GetMeshBuilder()->Faces()[0]->GetColor(), 0x80102030u);
    EXPECT_EQ(wall->GetMeshBuilder()->Faces()[0]->GetTexture(), texture);
    EXPECT_EQ(wall->UserColor, (UserColour{0x10, 0x20, 0x30, 0x80}));
    EXPECT_FALSE(UserColour{}.IsSet());
    EXPECT_TRUE((UserColour{255, 255, 255, 254}.IsSet()));
}

TEST(Wall, DestroyingItTakesItsFrameOutOfTheScene) {
    WallScene s;
    {
        auto wall = MakeWall(s, {{0, 0}}, {1, 2, 3});
        EXPECT_EQ(s.room->GetChildren().size(), 1u);
        rm::Vector3 p;
        wall->GetFrame()->GetPosition(s.room, &p);
        EXPECT_EQ(p, (rm::Vector3{1, 2, 3}));
    }
    EXPECT_TRUE(s.room->GetChildren().empty());
}

}  // namespace
}  // namespace roamer::model
