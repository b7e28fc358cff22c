// Building floors, furniture and plants: the texture cache, model centring, user sizes and
// colours, and the plant picture rules.
#include <gtest/gtest.h>

#include "model/furniture_list.h"
#include "model/level_surface.h"
#include "model/model_fixture.h"
#include "model/plant_list.h"
#include "support/temp_dir.h"

namespace roamer::model {
namespace {

using test::ModelScene;

TEST(TextureCache, SharesByTextureIdAndRetriesFailures) {
    ModelScene s;
    test::TempDir dir;
    dir.Write("Tex/Wood.ppm", test::PpmImage(4, 4));
    dir.Write("stone.ppm", test::PpmImage(2, 2));
    TextureCache cache(s.d3drm, dir.Path());
    TextureKey wood{5, 1, 1, "wood", "tex\\WOOD.PPM"};
    TextureKey sameId{5, 1, 1, "other", "stone.ppm"};
    std::shared_ptr<rm::Texture> a, b;
    ASSERT_EQ(cache.Get(wood, &a), rm::D3DRM_OK);
    ASSERT_EQ(cache.Get(sameId, &b), rm::D3DRM_OK);
    EXPECT_EQ(a, b);
    EXPECT_EQ(cache.LoadCount(), 1);
    EXPECT_EQ(cache.Entries().front().useCount, 2);

    TextureKey missing{6, 1, 1, "gone", "gone.ppm"};
    std::shared_ptr<rm::Texture> c;
    EXPECT_TRUE(rm::Failed(cache.Get(missing, &c)));
    dir.Write("gone.ppm", test::PpmImage(2, 2));
    EXPECT_EQ(cache.Get(missing, &c), rm::D3DRM_OK);
    EXPECT_EQ(cache.Entries().size(), 2u);
}

TEST(Floor, BuildsItsSurfaceRefinedTexturedAndWithPowerFlagAlpha) {
    ModelScene s;
    test::TempDir dir;
    dir.Write("floor.ppm", test::PpmImage(4, 4));
    CellBudget cells;
    TextureCache cache(s.d3drm, dir.Path());
    BuildContext context{s.d3drm, s.host, cache, cells};
    CFloor floor(s.d3drm, s.room);
    floor.SetGeometry(0.0, {5, 0, 5}, CPolyLine({{0, 0}, {50, 0}, {50, 50}}), 1.0, 1, 25.0f);
    auto surface = test::SurfaceGroup(s.d3drm, {{0, 0, 0}, {0, 0, 50}, {50, 0, 50}, {50, 0, 0}},
                                      {0, 0, 1}, {0, 1, 0});
    surface->SetColor(0xFFC08040u);
    surface->SetTextureKey({9, 1, 1, "f", "floor.ppm"});
    floor.BuildFaces(std::move(surface), context);
    floor.Show(true);
    ASSERT_EQ(floor.GetMeshBuilder()->GetFaceCount(), 4);
    EXPECT_EQ(floor.GetFace()->GetIsRefine(), 1);
    for (const auto& face : floor.GetMeshBuilder()->Faces()) {
        EXPECT_EQ(face->GetColor(), 0xFFC08040u);
        EXPECT_NE(face->GetTexture(), nullptr);
    }
    floor.PowerFlag = 0.5;
    floor.ApplyPowerFlag();
    EXPECT_EQ(floor.GetMeshBuilder()->Faces()[0]->GetColor(), 0x7FC08040u);
    floor.PowerFlag = 7.0;  // out of range: held at opaque, not wrapped around
    floor.ApplyPowerFlag();
    EXPECT_EQ(floor.GetMeshBuilder()->Faces()[0]->GetColor(), 0xFFC08040u);
}

struct FurnitureScene : ModelScene {
    test::TempDir dir;
    CFurnitureList list{d3drm, room, dir.Path()};
    FurnitureScene() {
        dir.Write("models/Chair.x", test::ReadWholeFile(test::TestData("models/chair.x")));
        dir.Write("models/wood.bmp", test::ReadWholeFile(test::TestData("models/wood.bmp")));
    }
    CFurniture* Load(std::int32_t type) {
        FurnitureKey key{1, type, 2, "chair", "MODELS\\chair.X", "S1"};
        CFurniture* piece = nullptr;
        EXPECT_EQ(list.Load(key, &piece), rm::D3DRM_OK);
        return piece;
    }
};

TEST(Furniture, ModelIsMeasuredCentredAndSharedBetweenPieces) {
    FurnitureScene s;
    CFurniture* centred = s.Load(1);
    ASSERT_NE(centred, nullptr);
    // The chair spans x 0..1, y 0..1, z 1..2.
    EXPECT_DOUBLE_EQ(centred->GetModelWidth(), 2.0);
    EXPECT_DOUBLE_EQ(centred->GetModelHeight(), 2.0);
    EXPECT_DOUBLE_EQ(centred->GetModelDepth(), 2.0);
    EXPECT_DOUBLE_EQ(centred->UserWidth, 2.0);
    rm::Box box;
    centred->GetMesh()->GetBox(&box);
    EXPECT_FLOAT_EQ(box.min.x, -0.5f);
    EXPECT_FLOAT_EQ(box.max.z, 0.5f);
    EXPECT_FLOAT_EQ(box.min.y, 0.0f);

    for (std::int32_t type : {81, 82}) {
        CFurniture* kept = s.Load(type);
        kept->GetMesh()->GetBox(&box);
        EXPECT_FLOAT_EQ(box.min.x, 0.0f);
        EXPECT_FLOAT_EQ(box.min.z, 1.0f);
    }
    EXPECT_EQ(s.list.ModelReads(), 1);
    EXPECT_EQ(s.list.GetCount(), 3);
    EXPECT_EQ(centred->GetKey().SerialNo, "S1");

    CFurniture* missing = nullptr;
    EXPECT_EQ(s.list.Load({1, 1, 1, "x", "none.x", ""}, &missing), rm::D3DRMERR_FILENOTFOUND);
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(s.list.GetCount(), 3);
}

TEST(Furniture, PlacementAnglesUserSizeAndColour) {
    FurnitureScene s;
    CFurniture* piece = s.Load(1);
    piece->SetPosition({10, 0, 20});
    piece->SetAngleXZ(-1.5707963);
    EXPECT_NEAR(piece->GetAngleXZ(), 4.7123889, 1e-9);
    rm::Vector3 dir, up;
    piece->GetFrame()->GetOrientation(s.room, &dir, &up);
    EXPECT_NEAR(dir.x, 1.0f, 1e-6);
    piece->SetAngleXZ(6.2831852);
    EXPECT_EQ(piece->GetAngleXZ(), 0.0);
    piece->SetAngleYZ(5e-7);
    EXPECT_EQ(piece->GetAngleYZ(), 0.0);

    piece->SetUserSize(4.0, 1.0, 2.0);  // width doubled, depth halved, height kept
    rm::Box box;
    piece->GetMesh()->GetBox(&box);
    EXPECT_FLOAT_EQ(box.max.x - box.min.x, 2.0f);
    EXPECT_FLOAT_EQ(box.max.z - box.min.z, 0.5f);
    EXPECT_FLOAT_EQ(box.max.y - box.min.y, 1.0f);

    // The chair's material is red with alpha 0.1 (0x19).
    const rm::Color before = piece->GetMesh()->Faces()[0]->GetColor();
    ASSERT_EQ(before, 0x19FF0000u);
    piece->ApplyUserColour({255, 0, 0, 255});
    EXPECT_EQ(piece->GetMesh()->Faces()[0]->GetColor(), 0x19FF0000u);
    piece->ApplyUserColour({0, 255, 255, 128});
    // Red is masked away; alpha 25 × 128/255 + 0.5 truncates to 13.
    EXPECT_EQ(piece->GetMesh()->Faces()[0]->GetColor(), 0x0D000000u);
}

struct PlantScene : ModelScene {
    test::TempDir dir;
    CPlantList list{d3drm, room, dir.Path()};
    int Load(const std::string& file, int width, int height, std::int32_t id, CPlant** plant) {
        if (width > 0) dir.Write(file, test::PpmImage(width, height));
        return list.Load({id, 3, "\xAA\xE1", file}, host, plant);
    }
};

TEST(Plant, ImageSizeRules) {
    struct Case {
        int width, height;
        const char* message;
    };
    const Case cases[] = {{512, 32, nullptr},
                          {513, 64, "檔案太大"},
                          {64, 600, "檔案太大"},
                          {16, 64, "檔案太小"},
                          {96, 64, "檔案大小非2的冪次方"}};
    int id = 1;
    for (const Case& c : cases) {
        PlantScene s;
        CPlant* plant = nullptr;
        const int result = s.Load("p.ppm", c.width, c.height, id++, &plant);
        if (c.message) {
            EXPECT_EQ(result, -5002);
            EXPECT_EQ(plant, nullptr);
            EXPECT_EQ(s.host.Messages(), std::vector<std::string>{c.message});
            EXPECT_EQ(s.list.GetCount(), 0);
        } else {
            EXPECT_EQ(result, 0);
            EXPECT_TRUE(s.host.Messages().empty());
        }
    }
    PlantScene s;
    CPlant* plant = nullptr;
    EXPECT_NE(s.Load("absent.ppm", 0, 0, 1, &plant), 0);
    EXPECT_EQ(s.host.Messages(), std::vector<std::string>{"檔案無法開啟 absent.ppm"});
}

TEST(Plant, PictureGeometryAndNaturalSize) {
    PlantScene s;
    CPlant* plant = nullptr;
    ASSERT_EQ(s.Load("tree.ppm", 256, 512, 4, &plant), 0);
    EXPECT_EQ(plant->GetPictureWidth(), 32.0);
    EXPECT_EQ(plant->GetPictureHeight(), 128.0);
    EXPECT_EQ(plant->UserWidth, 64.0);
    EXPECT_EQ(plant->UserHeight, 128.0);
    EXPECT_EQ(plant->UserDepth, 64.0);
    const auto& faces = plant->GetMesh()->Faces();
    ASSERT_EQ(faces.size(), 4u);
    rm::Box box;
    plant->GetMesh()->GetBox(&box);
    EXPECT_EQ(box.min, (rm::Vector3{-16, 0, -16}));
    EXPECT_EQ(box.max, (rm::Vector3{16, 64, 16}));
    // Front and back of each quad face opposite ways; every face is textured and keyed.
    EXPECT_EQ(faces[0]->Normal(), -faces[1]->Normal());
    for (const auto& f : faces) {
        ASSERT_NE(f->GetTexture(), nullptr);
        EXPECT_TRUE(f->GetTexture()->GetDecalTransparency());
    }
    float u = 0, v = 0;
    faces[0]->GetTextureCoordinates(2, &u, &v);
    EXPECT_FLOAT_EQ(std::fabs(u) + std::fabs(v), 2.0f);
}

TEST(Plant, SamePlantIdSharesThePictureAtNaturalSize) {
    PlantScene s;
    CPlant* first = nullptr;
    ASSERT_EQ(s.Load("tree.ppm", 64, 128, 4, &first), 0);
    first->SetUserSize(8.0, 8.0, 16.0);  // half the natural 16 x 32 x 16
    first->ApplyUserAlpha({255, 255, 255, 100});
    std::remove((s.dir.Path() + "/tree.ppm").c_str());
    CPlant* second = nullptr;
    ASSERT_EQ(s.Load("tree.ppm", 0, 0, 4, &second), 0);
    EXPECT_EQ(s.list.ImageReads(), 1);
    rm::Box box;
    second->GetMesh()->GetBox(&box);
    EXPECT_FLOAT_EQ(box.max.y, 16.0f);  // ph / 2 = 32 / 2
    EXPECT_EQ(rm::AlphaByte(second->GetMesh()->Faces()[0]->GetColor()), 255);
    EXPECT_EQ(rm::AlphaByte(first->GetMesh()->Faces()[0]->GetColor()), 100);
    first->GetMesh()->GetBox(&box);
    EXPECT_FLOAT_EQ(box.max.y, 8.0f);
    EXPECT_NE(first->GetMesh(), second->GetMesh());
}

}  // namespace
}  // namespace roamer::model
