// Loading, saving and resetting designs: every version's conversions, the failure rules,
// missing models, round trips byte for byte and the fitting of models into door openings.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "app/design_session.h"
#include "dsg/design_file.h"
#include "platform/recording_host.h"
#include "support/temp_dir.h"

namespace roamer::app {
namespace {

std::string Designs() {
    const char* root = std::getenv("ROAMER_TEST_DATA");
    return std::string(root ? root : "tests/data") + "/designs/";
}

class RecordingView : public DesignView {
public:
    void ApplyViewer(const ViewerState& viewer) override {
        m_viewer = viewer;
        ++applied;
    }
    void SetAmbientColor(rm::Color color) override { ambient = color; }
    ViewerState GetViewer() const override { return m_viewer; }
    void LoadBrowsePath(const std::string& recordPath) override { browsePaths.push_back(recordPath); }

    ViewerState m_viewer;
    int applied = 0;
    rm::Color ambient = 0;
    std::vector<std::string> browsePaths;
};

struct Session {
    rm::RetainedMode d3drm;
    std::unique_ptr<rm::Frame> scene = d3drm.CreateScene();
    rm::Frame* room = scene->CreateChild();
    RecordingHost host;
    RecordingView view;
    DesignSession session{d3drm, room, scene.get(), host, view, "/work/"};
    model::CRoomDesign& design() { return session.Design(); }
};

// A copy of a fixture design beside its textures, models and pictures, to be edited.
std::string CopyFixture(const test::TempDir& dir, const std::string& name, const std::string& text) {
    namespace fs = std::filesystem;
    for (const char* sub : {"tex", "models", "plants"})
        fs::copy(Designs() + sub, dir.Path() + "/" + sub, fs::copy_options::recursive);
    return dir.Write(name, text);
}

std::string Fixture(const std::string& name) { return test::ReadWholeFile(Designs() + name); }

void Replace(std::string& text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
}

TEST(LoadDesign, EveryVersionLoadsWithItsConversions) {
    for (const char* name : {"room23.dsg", "room231.dsg", "room232.dsg", "room24.dsg",
                             "room2411.dsg", "room2412.dsg", "room2431.dsg", "room246.dsg",
                             "room25.dsg"}) {
        SCOPED_TRACE(name);
        Session s;
        ASSERT_TRUE(s.session.LoadDesign(Designs() + name));
        EXPECT_TRUE(s.host.Messages().empty()) << s.host.Messages().front();
        const double v = s.session.LoadedVersion();
        auto& d = s.design();
        ASSERT_EQ(d.Walls().size(), 1u);
        ASSERT_EQ(d.Floors().size(), 1u);
        ASSERT_EQ(d.Ceilings().size(), 1u);
        ASSERT_EQ(d.Furniture().GetCount(), 2);
        ASSERT_EQ(d.Lights().Count(), 2);
        ASSERT_EQ(d.Plants().GetCount(), 2);
        const model::CWall& wall = *d.Walls()[0];
        // Old files stored plan coordinates at half scale: they read the same as new ones.
        EXPECT_EQ(wall.GetWallLine().GetAt(1)->x, 200.0);
        EXPECT_EQ(wall.Get2Dto3D(), 2.0);
        EXPECT_EQ(d.Floors()[0]->GetLine().GetAt(2)->y, 200.0);
        EXPECT_EQ(d.Floors()[0]->Get2Dto3D(), 2.0);
        // Below 2.32 the surface under the wall comes from the wall line.
        ASSERT_EQ(wall.DownWallFaceList().size(), 1u);
        EXPECT_EQ(wall.GetDownWallFace(0)->GetType(), v < 2.32 ? 0 : 5);
        const model::CDoor& door = *wall.GetDoor(0);
        EXPECT_EQ(door.IsShowFace, v < 2.411 ? 0 : 1);
        EXPECT_EQ(door.GetDoorFaceCount(), v < 2.411 ? 0 : 1);
        EXPECT_EQ(door.DoorSideName, "\xAB\x65\xAA\xF9");
        EXPECT_EQ(door.Box, (model::DoorBox{30, 60, 0, 80, 0, 5}));
        EXPECT_EQ(wall.Reflect, v < 2.431 ? 0 : 1);
        EXPECT_EQ(wall.ShadowLightIndex, v < 2.431 ? -1 : 2);
        EXPECT_EQ(d.Floors()[0]->PowerFlag, v < 2.431 ? 1.0 : 0.5);
        EXPECT_EQ(d.Ceilings()[0]->Reflect, v < 2.431 ? 0 : 1);
        EXPECT_EQ(d.GetLightReflect(d.Lights().GetAt(0)), v < 2.431 ? 0 : 1);
        const model::CFurniture& chair = *d.Furniture().GetAt(0);
        EXPECT_EQ(chair.GetKey().SerialNo, v < 2.31 ? "" : "SN-0");
        EXPECT_DOUBLE_EQ(chair.GetAngleXZ(), 1.5);
        EXPECT_EQ(chair.ShadowLightIndex, -1);
        // From 2.5 the user size doubles the chair's width.
        rm::Box box;
        chair.GetMesh()->GetBox(&box);
        EXPECT_FLOAT_EQ(box.max.x - box.min.x, v < 2.5 ? 1.0f : 2.0f);
        const model::CPlant& second = *d.Plants().GetAt(1);
        EXPECT_EQ(rm::AlphaByte(second.GetMesh()->Faces()[0]->GetColor()), v < 2.5 ? 255 : 128);
        // The floor (and the wall's textured face) share one texture: TextureID 1.
        EXPECT_EQ(d.Textures().LoadCount(), 1);
        EXPECT_EQ(d.Plants().ImageReads(), 1);
        EXPECT_EQ(s.view.ambient, 0x606060u);
        EXPECT_DOUBLE_EQ(s.view.GetViewer().heading, 0.5);
        EXPECT_EQ(s.view.GetViewer().position.z, -120.0f);
        EXPECT_EQ(s.session.ShowState3D(), 5);
        EXPECT_EQ(s.view.browsePaths, std::vector<std::string>{Designs() + std::string(name).substr(0, std::string(name).size() - 3) + "rcd"});
        EXPECT_EQ(s.host.WaitDepth(), 0);
    }
}

TEST(LoadDesign, BuildsTheSceneRefinedTexturedAndColoured) {
    Session s;
    ASSERT_TRUE(s.session.LoadDesign(Designs() + "room25.dsg"));
    const auto& d = s.design();
    const model::CWall& wall = *d.Walls()[0];
    // The wall face is refined at 25: the top strip 4 cells, each side of the door 4 × 1 and
    // 4 × 2 cells; then the up surface and the door reveal, one face each.
    const model::CFaceObj& group = *wall.GetWallFace(0)->GetFace(0);
    EXPECT_EQ(group.GetIsRefine(), 1);
    EXPECT_EQ(group.GetSubFace(0)->GetSubFaceCount(), 4);
    EXPECT_EQ(group.GetSubFace(1)->GetSubFaceCount(), 8);
    EXPECT_EQ(group.GetSubFace(2)->GetSubFaceCount(), 8);
    EXPECT_EQ(wall.GetMeshBuilder()->GetFaceCount(), 4 + 8 + 8 + 1 + 1);
    // The user colour of the wall replaces every face colour.
    for (const auto& face : wall.GetMeshBuilder()->Faces())
        EXPECT_EQ(face->GetColor(), rm::MakeColor(255, 200, 100, 50));
    EXPECT_NE(wall.GetMeshBuilder()->Faces()[0]->GetTexture(), nullptr);
    EXPECT_TRUE(wall.IsShown());
    // The floor is refined at 50 into 4 cells, half transparent.
    const auto& floorFaces = d.Floors()[0]->GetMeshBuilder()->Faces();
    ASSERT_EQ(floorFaces.size(), 4u);
    EXPECT_EQ(floorFaces[0]->GetColor(), 0x7FCCCCCCu);
    EXPECT_EQ(d.RenderFaceCount(), 22 + 4 + 1 + 2 + 2 + 4 + 4);
    EXPECT_EQ(d.Lights().GetAt(0)->GetPenumbra(), 0.6f);
}

TEST(LoadDesign, ModelsInDoorOpeningsAreFittedToThem) {
    Session s;
    ASSERT_TRUE(s.session.LoadDesign(Designs() + "room246.dsg"));
    // The second chair stands at the door's centre (45, 0, 1.25): it takes the opening's width
    // 30, height 80 and half the depth 2.5.
    rm::Box box;
    s.design().Furniture().GetAt(1)->GetMesh()->GetBox(&box);
    EXPECT_FLOAT_EQ(box.max.x - box.min.x, 30.0f);
    EXPECT_FLOAT_EQ(box.max.y - box.min.y, 80.0f);
    EXPECT_FLOAT_EQ(box.max.z - box.min.z, 2.5f);
    // Fitting again changes nothing.
    s.session.FitDoorModels();
    s.design().Furniture().GetAt(1)->GetMesh()->GetBox(&box);
    EXPECT_FLOAT_EQ(box.max.x - box.min.x, 30.0f);
    s.design().Furniture().GetAt(0)->GetMesh()->GetBox(&box);
    EXPECT_FLOAT_EQ(box.max.y - box.min.y, 1.0f);

    // An opening from 10 to 80 above the floor: the chair standing at its sill takes its
    // height of 70, also when its model does not start at its own origin (here 2 above it).
    test::TempDir dir;
    std::string text = Fixture("room246.dsg");
    Replace(text, "Top\r\n    80.00000000\r\nBottom\r\n    0.00000000",
            "Top\r\n    80.00000000\r\nBottom\r\n    10.00000000");
    Replace(text, "45.000000,0.000000,2.000000", "45.000000,10.000000,2.000000");
    const std::string path = CopyFixture(dir, "sill.dsg", text);
    std::string chair = test::ReadWholeFile(dir.File("models/chair.x"));
    for (const char* z : {"1.0;,", "2.0;,"}) {
        Replace(chair, std::string(" 0.0; 0.0; ") + z, std::string(" 0.0; 2.0; ") + z);
    }
    Replace(chair, " 0.0; 1.0; 1.0;,", " 0.0; 3.0; 1.0;,");
    Replace(chair, " 1.0; 0.0; 1.0;,", " 1.0; 2.0; 1.0;,");
    Replace(chair, " 0.0; 1.0; 2.0;;", " 0.0; 3.0; 2.0;;");
    dir.Write("models/chair.x", chair);
    Session raised;
    ASSERT_TRUE(raised.session.LoadDesign(path));
    raised.design().Furniture().GetAt(1)->GetMesh()->GetBox(&box);
    EXPECT_FLOAT_EQ(box.max.x - box.min.x, 30.0f);
    EXPECT_FLOAT_EQ(box.max.y - box.min.y, 70.0f);
}

TEST(LoadDesign, SameDesignAgainReturnsAtOnce) {
    Session s;
    const std::string path = Designs() + "room246.dsg";
    ASSERT_TRUE(s.session.LoadDesign(path));
    const model::CRoomDesign* first = &s.design();
    ASSERT_TRUE(s.session.LoadDesign(path));
    EXPECT_EQ(&s.design(), first);
    EXPECT_EQ(s.view.applied, 1);
}

TEST(LoadDesign, DamagedFurnitureEmptiesEverythingReadSoFar) {
    test::TempDir dir;
    std::string text = Fixture("room246.dsg");
    Replace(text, "END_FURNITURE", "END_FURNITUR");
    Replace(text, "END_FURNITURE", "END_FURNITUR");
    Session s;
    const std::string path = CopyFixture(dir, "broken.dsg", text);
    EXPECT_FALSE(s.session.LoadDesign(path));
    EXPECT_EQ(s.host.Messages(), std::vector<std::string>{"讀取傢俱資料失敗!"});
    EXPECT_TRUE(s.design().Walls().empty());
    EXPECT_TRUE(s.design().Floors().empty());
    EXPECT_TRUE(s.design().Ceilings().empty());
    EXPECT_EQ(s.design().Furniture().GetCount(), 0);
    EXPECT_EQ(s.session.LoadedPath(), "");
    EXPECT_EQ(s.host.WaitDepth(), 0);
    EXPECT_TRUE(s.room->GetChildren().empty());
    EXPECT_EQ(s.view.applied, 0);
    // The same path can then be loaded again once repaired.
    dir.Write("broken.dsg", Fixture("room246.dsg"));
    EXPECT_TRUE(s.session.LoadDesign(path));
}

TEST(LoadDesign, SectionOutOfOrderIsNotFound) {
    test::TempDir dir;
    std::string text = Fixture("room246.dsg");
    // The light section moved in front of the furniture section.
    const auto lightStart = text.find("SECTION_LIGHT");
    const auto plantStart = text.find("SECTION_PLANT");
    const std::string lights = text.substr(lightStart, plantStart - lightStart);
    text.erase(lightStart, lights.size());
    text.insert(text.find("SECTION_FURNITURE"), lights);
    Session s;
    EXPECT_FALSE(s.session.LoadDesign(CopyFixture(dir, "moved.dsg", text)));
    EXPECT_EQ(s.host.Messages(), std::vector<std::string>{"讀取光源資料失敗!"});
    EXPECT_EQ(s.design().Lights().Count(), 0);
    EXPECT_EQ(s.design().Plants().GetCount(), 0);
}

TEST(LoadDesign, MissingModelAnsweredYesSkipsTheRecordAndNoFailsTheSection) {
    test::TempDir dir;
    std::string text = Fixture("room246.dsg");
    Replace(text, "\"models\\Chair.X\"", "\"models\\Gone.X\"");
    const std::string path = CopyFixture(dir, "missing.dsg", text);
    {
        Session s;
        s.host.ScriptAnswers({Host::Answer::kYes});
        ASSERT_TRUE(s.session.LoadDesign(path));
        EXPECT_EQ(s.host.Messages(), std::vector<std::string>{"傢俱:椅子0不存在，無法載入！"});
        EXPECT_EQ(s.host.Questions(), std::vector<std::string>{"是否要繼續執行?"});
        ASSERT_EQ(s.design().Furniture().GetCount(), 1);
        EXPECT_EQ(s.design().Furniture().GetAt(0)->GetKey().FurnitureID, 101);
        EXPECT_EQ(s.design().Lights().Count(), 2);
    }
    {
        Session s;
        s.host.ScriptAnswers({Host::Answer::kNo});
        EXPECT_FALSE(s.session.LoadDesign(path));
        EXPECT_EQ(s.host.Messages(), (std::vector<std::string>{"傢俱:椅子0不存在，無法載入！",
                                                               "讀取傢俱資料失敗!"}));
        EXPECT_EQ(s.design().Furniture().GetCount(), 0);
    }
}

TEST(LoadDesign, MissingPlantPictureNamesTheFile) {
    test::TempDir dir;
    std::string text = Fixture("room246.dsg");
    Replace(text, "\"Plants\\Tree.BMP\"", "\"Plants\\Bush.bmp\"");
    Session s;
    s.host.ScriptAnswers({Host::Answer::kYes});
    ASSERT_TRUE(s.session.LoadDesign(CopyFixture(dir, "plant.dsg", text)));
    EXPECT_EQ(s.host.Messages(),
              (std::vector<std::string>{"檔案無法開啟 Plants\\Bush.bmp", "植物:樹[Bush.bmp]不存在，無法載入！"}));
    EXPECT_EQ(s.design().Plants().GetCount(), 1);
}

TEST(LoadDesign, MissingTextureIsToldAndDroppedFromTheSavedDesign) {
    test::TempDir dir;
    std::string text = Fixture("room246.dsg");
    Replace(text, "\"tex\\Wood.BMP\"", "\"tex\\Gone.bmp\"");
    Session s;
    ASSERT_TRUE(s.session.LoadDesign(CopyFixture(dir, "tex.dsg", text)));
    EXPECT_EQ(s.host.Messages(), std::vector<std::string>{"材質圖案:木紋不存在，無法載入！"});
    ASSERT_TRUE(s.session.SaveDesign(dir.File("saved.dsg")));
    const std::string saved = test::ReadWholeFile(dir.File("saved.dsg"));
    EXPECT_EQ(saved.find("Gone.bmp"), std::string::npos);
}

TEST(LoadDesign, UnopenableAndTooOldFiles) {
    test::TempDir dir;
    Session s;
    EXPECT_FALSE(s.session.LoadDesign(dir.File("none.dsg")));
    EXPECT_EQ(s.host.Messages().back(), "無法開啟檔案-" + dir.File("none.dsg") + "!");
    std::string old = Fixture("room23.dsg");
    Replace(old, "    2.30000000", "    2.20000000");
    Session t;
    EXPECT_FALSE(t.session.LoadDesign(dir.Write("old.dsg", old)));
    EXPECT_EQ(t.host.Messages(),
              (std::vector<std::string>{"存檔版本太舊無法載入！", "讀取檔案表頭失敗!"}));
    Session u;
    EXPECT_FALSE(u.session.LoadDesign(dir.Write("magic.dsg", "<other>\r\n" + old)));
    EXPECT_EQ(u.host.Messages(), std::vector<std::string>{"讀取檔案表頭失敗!"});
}

TEST(SaveDesign, WrittenDesignReadsBackByteForByte) {
    test::TempDir dir;
    Session s;
    ASSERT_TRUE(s.session.LoadDesign(Designs() + "room246.dsg"));
    ASSERT_TRUE(s.session.SaveDesign(dir.File("copy.dsg")));
    EXPECT_EQ(s.session.SavePath(), dir.File("copy.dsg"));
    // The second chair stands in the door of the reflecting wall: it was given a reflection,
    // and the save keeps it. Everything else is as read.
    std::string expected = Fixture("room246.dsg");
    Replace(expected, "SN-1\"\r\nPosition\r\n    45.000000,0.000000,2.000000\r\nAngleXZ\r\n"
                      "    0.00000000000\r\nAngleYZ\r\n    0.00000000000\r\nReflect\r\n    0",
            "SN-1\"\r\nPosition\r\n    45.000000,0.000000,2.000000\r\nAngleXZ\r\n"
            "    0.00000000000\r\nAngleYZ\r\n    0.00000000000\r\nReflect\r\n    1");
    EXPECT_EQ(test::ReadWholeFile(dir.File("copy.dsg")), expected);
}

// Older tools read what the player saves from older designs: those stay 2.46, without user keys.
TEST(SaveDesign, OlderVersionsSaveAs246AndThenRoundTripExactly) {
    for (const char* name : {"room23.dsg", "room231.dsg", "room232.dsg", "room2411.dsg",
                             "room2431.dsg"}) {
        SCOPED_TRACE(name);
        test::TempDir dir;
        Session first;
        ASSERT_TRUE(first.session.LoadDesign(Designs() + name));
        ASSERT_TRUE(first.session.SaveDesign(CopyFixture(dir, "a.dsg", "")));
        const std::string a = test::ReadWholeFile(dir.File("a.dsg"));
        EXPECT_NE(a.find("Version\r\n    2.46000000\r\n"), std::string::npos);
        EXPECT_EQ(a.find("UserWidth"), std::string::npos);
        Session second;
        ASSERT_TRUE(second.session.LoadDesign(dir.File("a.dsg")));
        EXPECT_TRUE(second.host.Messages().empty());
        ASSERT_TRUE(second.session.SaveDesign(dir.File("b.dsg")));
        EXPECT_EQ(test::ReadWholeFile(dir.File("b.dsg")), a);
    }
}

// What the user sees of a design's walls, furniture and plants.
struct Look {
    std::vector<float> boxes;        // each mesh's box corners, in list order
    std::vector<rm::Color> colours;  // each face's colour, in list order
    bool operator==(const Look&) const = default;
};

void AddMesh(Look& look, const rm::MeshBuilder& mesh) {
    rm::Box box;
    mesh.GetBox(&box);
    look.boxes.insert(look.boxes.end(),
                      {box.min.x, box.min.y, box.min.z, box.max.x, box.max.y, box.max.z});
    for (const auto& face : mesh.Faces()) look.colours.push_back(face->GetColor());
}

Look LookOf(const model::CRoomDesign& d) {
    Look look;
    for (const auto& wall : d.Walls()) AddMesh(look, *wall->GetMeshBuilder());
    for (const auto& piece : d.Furniture().Items()) AddMesh(look, *piece->GetMesh());
    for (const auto& plant : d.Plants().Items()) AddMesh(look, *plant->GetMesh());
    return look;
}

// A 2.5 design whose first chair is recoloured and whose first plant is resized, beside a wall
// the user recoloured, a resized chair and a faded plant.
std::string UserChoices25() {
    std::string text = Fixture("room25.dsg");
    Replace(text,
            "UserColorR\r\n    255\r\nUserColorG\r\n    255\r\nUserColorB\r\n    255\r\n"
            "UserColorA\r\n    255\r\nEND_FURNITURE",
            "UserColorR\r\n    255\r\nUserColorG\r\n    96\r\nUserColorB\r\n    0\r\n"
            "UserColorA\r\n    200\r\nEND_FURNITURE");
    Replace(text, "UserWidth\r\n    8.00000000\r\nUserDepth\r\n    8.00000000\r\nUserHeight",
            "UserWidth\r\n    12.00000000\r\nUserDepth\r\n    6.00000000\r\nUserHeight");
    return text;
}

TEST(SaveDesign, Version25KeepsTheUserSizesAndColours) {
    test::TempDir dir;
    const std::string edited = UserChoices25();
    Session first;
    ASSERT_TRUE(first.session.LoadDesign(CopyFixture(dir, "room.dsg", edited)));
    const Look look = LookOf(first.design());
    // The choices show: the two chairs no longer look alike, nor do the two plants.
    const model::CRoomDesign& d = first.design();
    EXPECT_NE(d.Furniture().GetAt(0)->GetMesh()->Faces()[0]->GetColor(),
              d.Furniture().GetAt(1)->GetMesh()->Faces()[0]->GetColor());
    rm::Box plant0, plant1;
    d.Plants().GetAt(0)->GetMesh()->GetBox(&plant0);
    d.Plants().GetAt(1)->GetMesh()->GetBox(&plant1);
    EXPECT_NE(plant0.max.x - plant0.min.x, plant1.max.x - plant1.min.x);

    ASSERT_TRUE(first.session.SaveDesign(dir.File("a.dsg")));
    const std::string a = test::ReadWholeFile(dir.File("a.dsg"));
    EXPECT_NE(a.find("Version\r\n    2.50000000\r\n"), std::string::npos);
    // The header is made afresh; the sections are as read, user keys in place, except that the
    // chair in the door gains its reflection, as in 2.46.
    std::string expected = edited;
    Replace(expected, "SN-1\"\r\nPosition\r\n    45.000000,0.000000,2.000000\r\nAngleXZ\r\n"
                      "    0.00000000000\r\nAngleYZ\r\n    0.00000000000\r\nReflect\r\n    0",
            "SN-1\"\r\nPosition\r\n    45.000000,0.000000,2.000000\r\nAngleXZ\r\n"
            "    0.00000000000\r\nAngleYZ\r\n    0.00000000000\r\nReflect\r\n    1");
    EXPECT_EQ(a.substr(a.find("SECTION_WALL")), expected.substr(expected.find("SECTION_WALL")));

    Session second;
    ASSERT_TRUE(second.session.LoadDesign(dir.File("a.dsg")));
    EXPECT_TRUE(second.host.Messages().empty());
    EXPECT_EQ(LookOf(second.design()), look);
}

// A design emptied after a 2.5 one was shown came from no file: it saves as 2.46.
TEST(SaveDesign, EmptiedDesignSavesAs246) {
    test::TempDir dir;
    Session s;
    ASSERT_TRUE(s.session.LoadDesign(Designs() + "room25.dsg"));
    s.session.ResetDesign();
    ASSERT_TRUE(s.session.SaveDesign(dir.File("reset.dsg")));
    EXPECT_NE(test::ReadWholeFile(dir.File("reset.dsg")).find("Version\r\n    2.46000000\r\n"),
              std::string::npos);
}

TEST(SaveDesign, FailedSaveLeavesTheOldFileAndTellsWhy) {
    test::TempDir dir;
    Session s;
    ASSERT_TRUE(s.session.LoadDesign(Designs() + "room246.dsg"));
    EXPECT_FALSE(s.session.SaveDesign(dir.Write("file", "x") + "/in/a/file.dsg"));
    EXPECT_EQ(s.host.Messages(), std::vector<std::string>{"無法開啟檔案!"});
    EXPECT_FALSE(s.session.SaveDesign(""));
    EXPECT_EQ(s.host.WaitDepth(), 0);
    // A save over an existing design leaves no temporary file behind.
    const std::string target = dir.Write("keep.dsg", "old");
    ASSERT_TRUE(s.session.SaveDesign(target));
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 2);
}

// A disk that refuses bytes half way through: the section's message, and the design that was
// there before is still there, whole.
TEST(SaveDesign, WriteFailureHalfWayKeepsTheOldFile) {
    test::TempDir dir;
    Session s;
    ASSERT_TRUE(s.session.LoadDesign(Designs() + "room246.dsg"));
    const std::string target = dir.Write("room.dsg", Fixture("room23.dsg"));
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 3000;  // the header fits, the walls do not
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = s.session.SaveDesign(target);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(saved);
    EXPECT_EQ(s.host.Messages(), std::vector<std::string>{"寫入牆資料失敗!"});
    EXPECT_EQ(test::ReadWholeFile(target), Fixture("room23.dsg"));
    EXPECT_EQ(s.session.SavePath(), "");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(ResetDesign, EmptiesTheSceneAndForgetsTheLoadedPath) {
    Session s;
    ASSERT_TRUE(s.session.LoadDesign(Designs() + "room246.dsg"));
    EXPECT_FALSE(s.room->GetChildren().empty());
    s.session.ResetDesign();
    EXPECT_TRUE(s.room->GetChildren().empty());
    EXPECT_EQ(s.design().RenderFaceCount(), 0);
    // Asked for again, the design is read again instead of leaving the scene empty.
    EXPECT_EQ(s.session.LoadedPath(), "");
    ASSERT_TRUE(s.session.LoadDesign(Designs() + "room246.dsg"));
    EXPECT_GT(s.design().RenderFaceCount(), 0);
}

}  // namespace
}  // namespace roamer::app
