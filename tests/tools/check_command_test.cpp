#include "roamer-check/check_command.h"

#include <sstream>

#include <gtest/gtest.h>

#include "platform/text/cp950.h"
#include "support/temp_dir.h"

namespace roamer::tools {
namespace {

struct CheckRun {
    int status;
    std::string out;
    std::string err;
};

CheckRun Check(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunCheck(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(RoamerCheck, ReportsPlayListsAsJson) {
    test::TempDir dir;
    dir.Write("Room.dsg", "");
    // Entries in code page 950, one of them missing.
    const std::string list = dir.Write("default.vol", "room.dsg\r\n\xAB\xC8\xC6\x55.dsg\r\n");
    const CheckRun run = Check({"--json", list});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "{\"file\":\"" + list +
                           "\",\"kind\":\"playlist\",\"ok\":true,\"messages\":[],"
                           "\"entries\":[\"room.dsg\",\"客廳.dsg\"],\"resolved\":[\"" +
                           dir.File("Room.dsg") + "\",null]}\n");
}

TEST(RoamerCheck, NamesInCodePage950AreReportedAsUtf8) {
    test::TempDir dir;
    dir.Write("\xAB\xC8\xC6\x55.dsg", "");  // a design copied from Windows with its raw name
    const std::string list = dir.Write("\xAB\xC8.vol", "\xAB\xC8\xC6\x55.dsg\r\n");
    const CheckRun run = Check({"--json", list});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(text::IsValidUtf8(run.out));
    EXPECT_NE(run.out.find("/客廳.dsg\"]"), std::string::npos) << run.out;
}

TEST(RoamerCheck, ReportsBrowsePathsAndTheirMessages) {
    test::TempDir dir;
    const std::string bad = dir.Write("bad.rcd", "[BROWS_RECORDER_BEGIN]\r\n[HEADER_BEGIN]\r\nnot magic\r\n");
    const CheckRun run = Check({"--json", bad});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("\"kind\":\"browsepath\",\"ok\":false,\"version\":null,"
                           "\"messages\":[\"無法讀取瀏覽路徑表頭\"],\"head\":null"),
              std::string::npos)
        << run.out;
}

TEST(RoamerCheck, BadArgumentsAndBadFilesNeverPass) {
    test::TempDir dir;
    EXPECT_EQ(Check({}).status, 2);
    EXPECT_EQ(Check({"--bogus", "x.vol"}).status, 2);
    EXPECT_EQ(Check({"--help"}).status, 0);
    for (const std::string& file : {dir.File("missing.vol"), dir.File("missing.rcd"), dir.Path(),
                                    dir.Write("readme.txt", "x")}) {
        const CheckRun run = Check({"--json", file});
        EXPECT_EQ(run.status, 1) << file;
        EXPECT_NE(run.out.find("\"ok\":false"), std::string::npos) << run.out;
    }
    // Text output names every message too.
    const CheckRun text = Check({dir.Write("bad.vol", "a.txt\r\n")});
    EXPECT_EQ(text.status, 1);
    EXPECT_NE(text.out.find("錯誤的播放表!"), std::string::npos);
}

std::string Designs() {
    const char* root = std::getenv("ROAMER_TEST_DATA");
    return std::string(root ? root : "tests/data") + "/designs/";
}

TEST(RoamerCheck, ReportsWhatADesignBuilds) {
    const CheckRun run = Check({"--json", Designs() + "room2431.dsg"});
    EXPECT_EQ(run.status, 0) << run.out;
    for (const char* part :
         {"\"kind\":\"design\",\"ok\":true,\"messages\":[]", "\"version\":2.431",
          "\"MaxSize\":[100,50]", "\"AmbientLight\":6316128", "\"3DShowState\":5",
          "\"line\":[[0,0],[200,0],[200,10],[0,10]],\"2Dto3D\":2,\"top\":100,\"bottom\":0,"
          "\"objFramePos\":[0,0,0],\"doors\":[{\"faceType\":2,\"box\":[30,60,0,80,0,5]}],"
          "\"faces\":22",
          "\"floors\":[{\"high\":0,\"faces\":4,\"alpha\":0.5}]",
          "{\"name\":\"椅子0\",\"file\":\"models\\\\Chair.X\",\"position\":[20,0,40]",
          "\"lights\":[{\"type\":2,", "\"size\":[16,16,32]", "\"renderFaces\":39}"})
        EXPECT_NE(run.out.find(part), std::string::npos) << part << "\n" << run.out;
}

TEST(RoamerCheck, MissingModelsAreAnsweredYesUnlessToldNo) {
    test::TempDir dir;
    std::string text = test::ReadWholeFile(Designs() + "room246.dsg");
    text.replace(text.find("models\\Chair.X"), 14, "models\\Lost.X");
    const std::string design = dir.Write("lost.dsg", text);
    const CheckRun yes = Check({"--json", design});
    EXPECT_EQ(yes.status, 1);
    EXPECT_NE(yes.out.find("\"questions\":[\"是否要繼續執行?\""), std::string::npos) << yes.out;
    EXPECT_NE(yes.out.find("\"walls\":[{"), std::string::npos);
    const CheckRun no = Check({"--no", design});
    EXPECT_EQ(no.status, 1);
    EXPECT_NE(no.out.find("讀取傢俱資料失敗!"), std::string::npos) << no.out;
    EXPECT_NE(no.out.find("0 walls"), std::string::npos) << no.out;
    EXPECT_EQ(Check({Designs() + "room246.dsg", Designs() + "room23.dsg"}).status, 0);
}

}  // namespace
}  // namespace roamer::tools
