// The header's conversions, face object records of every type, progress reports and records
// that a hostile file could make endless or deep.
#include <gtest/gtest.h>

#include "dsg/design_file.h"
#include "platform/recording_host.h"
#include "support/temp_dir.h"

namespace roamer::dsg {
namespace {

std::string Designs() {
    const char* root = std::getenv("ROAMER_TEST_DATA");
    return std::string(root ? root : "tests/data") + "/designs/";
}

struct Scene {
    rm::RetainedMode d3drm;
    std::unique_ptr<rm::Frame> scene = d3drm.CreateScene();
    RecordingHost host;
    model::CRoomDesign design{d3drm, scene.get(), scene.get(), Designs(), ""};
};

class RecordingProgress : public Progress {
public:
    bool HasWindow() const override { return window; }
    void SetMessage(std::string_view text) override { calls.push_back("message " + std::string(text)); }
    void SetRange(int lower, int upper) override {
        calls.push_back("range " + std::to_string(lower) + ".." + std::to_string(upper));
    }
    void SetStep(int step) override { calls.push_back("step " + std::to_string(step)); }
    void SetPos(int position) override { calls.push_back("pos " + std::to_string(position)); }
    void OffsetPos(int delta) override { calls.push_back("offset " + std::to_string(delta)); }
    void StepIt() override { calls.push_back("stepit"); }

    bool window = true;
    std::vector<std::string> calls;
};

TEST(DesignHeader, Version23ConvertsPlanSettings) {
    Scene s;
    CDesignFile file(s.host);
    ASSERT_TRUE(file.OpenRead(Designs() + "room23.dsg"));
    CDesignHeader header;
    ASSERT_TRUE(file.ReadHeader(header));
    EXPECT_DOUBLE_EQ(file.GetFileVersion(), 2.3);
    EXPECT_EQ(header.MinPlantMoveHeightUnit, 1.0);
    EXPECT_DOUBLE_EQ(header.ZoomRate, 1.5);
    EXPECT_DOUBLE_EQ(header.TwoDtoMeter, 0.01);
    EXPECT_DOUBLE_EQ(header.Ratio3Dto2D, 2.0);
    EXPECT_EQ(header.MaxSize[0], 200);
    EXPECT_EQ(header.MaxSize[1], 100);
    EXPECT_EQ(header.ScrollSize[0], 320);
    EXPECT_EQ(header.ScrollSize[1], 170);
    EXPECT_EQ(header.ScrollPos[0], 10);
    EXPECT_EQ(header.ScrollPos[1], 14);
    EXPECT_EQ(header.AmbientLight, 0x606060u);
}

TEST(DesignHeader, Version2412ReadsTheMoveUnitsAndKeepsPlanSettings) {
    Scene s;
    CDesignFile file(s.host);
    ASSERT_TRUE(file.OpenRead(Designs() + "room2412.dsg"));
    CDesignHeader header;
    ASSERT_TRUE(file.ReadHeader(header));
    EXPECT_EQ(header.MinFurnitureMoveHorizontalUnit, 2.5);
    EXPECT_EQ(header.MinLightMoveHeightUnit, 2.5);
    EXPECT_DOUBLE_EQ(header.ZoomRate, 3.0);
    EXPECT_EQ(header.MaxSize[1], 50);
    EXPECT_EQ(header.ScrollSize[0], 100);
}

TEST(DesignHeader, SavedHeaderIsBuiltAfresh) {
    test::TempDir dir;
    RecordingHost host;
    CDesignFile file(host);
    ASSERT_TRUE(file.OpenWrite(dir.File("h.dsg")));
    ASSERT_TRUE(file.WriteHeader(HeaderForSaving(1.0, -0.5, {1, 2, 3}, 0x112233u, 4, 6)));
    ASSERT_TRUE(file.Close());
    const std::string text = test::ReadWholeFile(dir.File("h.dsg"));
    EXPECT_EQ(text.substr(text.find("\r\n") + 2, 77),
              "SECTION_HEADER\r\nVersion\r\n    2.46000000\r\n"
              "Min_Furniture_Move_Horizontal_Unit\r\n");
    for (const char* line : {"2DtoMeter\r\n    0.01000000\r\n", "ScrollSize\r\n    100,100\r\n",
                             "FaceAngleYZ\r\n    -0.50000000000\r\n",
                             "Position\r\n    1.000000,2.000000,3.000000\r\n",
                             "AmbientLight\r\n    1122867\r\n", "3DShowState\r\n    6\r\nEND_SECTION\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
}

std::string FaceText(const std::string& body) {
    return "BEGIN_FACEOBJ\r\nType\r\n" + body + "END_FACEOBJ\r\n";
}

TEST(DesignFaces, UnknownTypeIsKeptAsItsTypeAloneAndWrittenAsFourLines) {
    test::TempDir dir;
    Scene s;
    const std::string file = dir.Write(
        "f.dsg", "SECTION_CEILING\r\nCount\r\n    1\r\nBEGIN_CEILING\r\nCeilingLine\r\n"
                 "BEGIN_POLYLINE\r\nCount\r\n    0\r\nEND_POLYLINE\r\n2Dto3D\r\n    1\r\nHigh\r\n"
                 "    5\r\nObjFramePos\r\n    0,0,0\r\nIsRefine\r\n    0\r\nRefineScale\r\n    25\r\n"
                 "CeilingFace\r\n" +
                     FaceText("    5\r\nVectorList\r\nstuff\r\n") + "Reflect\r\n    1\r\nEND_CEILING\r\nEND_SECTION\r\n");
    CDesignFile in(s.host);
    ASSERT_TRUE(in.OpenRead(file));
    in.SetFileVersion(2.46);
    ASSERT_TRUE(in.ReadCeilings(s.design));
    const model::CFaceObj* face = s.design.Ceilings()[0]->GetFace();
    EXPECT_EQ(face->GetType(), 5);
    EXPECT_TRUE(face->GetVertices().empty());
    CDesignFile out(s.host);
    ASSERT_TRUE(out.OpenWrite(dir.File("out.dsg")));
    ASSERT_TRUE(out.WriteCeilings(s.design));
    ASSERT_TRUE(out.Close());
    EXPECT_NE(test::ReadWholeFile(dir.File("out.dsg"))
                  .find("CeilingFace\r\nBEGIN_FACEOBJ\r\nType\r\n    5\r\nEND_FACEOBJ\r\nReflect"),
              std::string::npos);
}

// A face nested deeper than any designer makes is refused instead of exhausting the stack.
TEST(DesignFaces, NestingBeyondTheLimitFailsTheSection) {
    test::TempDir dir;
    std::string nested;
    const std::string group =
        "BEGIN_FACEOBJ\r\nType\r\n    0\r\nVectorList\r\nBEGIN_VECTORLIST\r\nCount\r\n    0\r\n"
        "END_VECTORLIST\r\nIsRefine\r\n    0\r\nRefineScale\r\n    1\r\nYNormal\r\n    0,1,0\r\n"
        "ZNormal\r\n    0,0,1\r\nOrigin\r\n    0,0,0\r\nOffsetU\r\n 0\r\nOffsetV\r\n 0\r\nScaleU\r\n"
        " 1\r\nScaleV\r\n 1\r\nColor\r\n 0\r\nTextureID\r\n -1\r\nTextureTypeID\r\n -1\r\nVenderID\r\n"
        " -1\r\nTextureName\r\n \"\"\r\nTextureFile\r\n \"\"\r\nSubFaceList\r\nBEGIN_SUBFACELIST\r\n"
        "Count\r\n    1\r\n";
    const std::string close = "END_SUBFACELIST\r\nEND_FACEOBJ\r\n";
    const auto design = [&](int depth) {
        std::string faces;
        for (int i = 0; i < depth; ++i) faces += group;
        faces += FaceText("    9\r\n");
        for (int i = 0; i < depth; ++i) faces += close;
        return "SECTION_FLOOR\r\nCount\r\n    1\r\nBEGIN_FLOOR\r\nFloorLine\r\nBEGIN_POLYLINE\r\n"
               "Count\r\n    0\r\nEND_POLYLINE\r\n2Dto3D\r\n 1\r\nHigh\r\n 0\r\nObjFramePos\r\n"
               " 0,0,0\r\nIsRefine\r\n 0\r\nRefineScale\r\n 25\r\nFloorFace\r\n" +
               faces + "PowerFlag\r\n 1\r\nEND_FLOOR\r\nEND_SECTION\r\n";
    };
    for (const auto& [depth, ok] : {std::pair{7, true}, std::pair{9, false}, std::pair{20000, false}}) {
        Scene s;
        CDesignFile file(s.host);
        ASSERT_TRUE(file.OpenRead(dir.Write("deep.dsg", design(depth))));
        file.SetFileVersion(2.46);
        EXPECT_EQ(file.ReadFloors(s.design), ok) << depth;
    }
}

TEST(DesignSections, ProgressStepsPerRecordAndLeavesEmptySectionsAlone) {
    Scene s;
    RecordingProgress progress;
    CDesignFile file(s.host, &progress);
    ASSERT_TRUE(file.OpenRead(Designs() + "room246.dsg"));
    CDesignHeader header;
    ASSERT_TRUE(file.ReadHeader(header));
    EXPECT_EQ(progress.calls, (std::vector<std::string>{"message 讀取檔案表頭...", "pos 0", "pos 30",
                                                        "pos 50", "pos 70", "pos 100"}));
    progress.calls.clear();
    ASSERT_TRUE(file.ReadWalls(s.design));
    ASSERT_TRUE(file.ReadFloors(s.design));
    ASSERT_TRUE(file.ReadCeilings(s.design));
    ASSERT_TRUE(file.ReadFurniture(s.design));
    progress.calls.clear();
    ASSERT_TRUE(file.ReadLights(s.design));
    EXPECT_EQ(progress.calls,
              (std::vector<std::string>{"message 讀取光源資料...", "pos 0", "range 0..1000",
                                        "step 500", "stepit", "stepit", "pos 1000"}));

    progress.window = false;
    progress.calls.clear();
    ASSERT_TRUE(file.ReadPlants(s.design));
    EXPECT_TRUE(progress.calls.empty());

    test::TempDir dir;
    Scene t;
    progress.window = true;
    progress.calls.clear();
    CDesignFile empty(t.host, &progress);
    ASSERT_TRUE(empty.OpenRead(dir.Write("e.dsg", "SECTION_PLANT\r\nCount\r\n    0\r\nEND_SECTION\r\n")));
    empty.SetFileVersion(2.46);
    ASSERT_TRUE(empty.ReadPlants(t.design));
    EXPECT_EQ(progress.calls, (std::vector<std::string>{"message 讀取植物資料...", "pos 0"}));
}

TEST(DesignSections, HugeAndNegativeCountsEndCleanly) {
    test::TempDir dir;
    for (const char* count : {"2147483647", "-5", "99999999999"}) {
        Scene s;
        CDesignFile file(s.host);
        const std::string text = std::string("SECTION_LIGHT\r\nCount\r\n    ") + count +
                                 "\r\nBEGIN_LIGHT\r\nLightType\r\n 1\r\nColor\r\n 0\r\nPosition\r\n"
                                 " 0,0,0\r\nReflect\r\n 0\r\nEND_LIGHT\r\nEND_SECTION\r\n";
        ASSERT_TRUE(file.OpenRead(dir.Write("c.dsg", text)));
        file.SetFileVersion(2.46);
        EXPECT_EQ(file.ReadLights(s.design), std::string(count) == "-5") << count;
        // A light whose record failed is not left in the list.
        EXPECT_LE(s.design.Lights().Count(), 1);
    }
}

}  // namespace
}  // namespace roamer::dsg
