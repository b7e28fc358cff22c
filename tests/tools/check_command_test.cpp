#include "roamer-check/check_command.h"

#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/text/cp950.h"
#include "roamer_version.h"
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
                           "\",\"kind\":\"playlist\",\"ok\":true,\"messages\":[],\"notes\":[],"
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
                           "\"messages\":[\"無法讀取瀏覽路徑表頭\"],\"notes\":[],\"head\":null"),
              std::string::npos)
        << run.out;
}

TEST(RoamerCheck, WhatThePlayerKeepsToItselfIsANoteNotAMessage) {
    test::TempDir dir;
    // The player reads an empty or missing browse path without a word.
    for (const auto& [file, note] :
         {std::pair{dir.Write("empty.rcd", ""), "the browse path file ends early"},
          std::pair{dir.File("missing.rcd"), "cannot open the file"}}) {
        const CheckRun json = Check({"--json", file});
        EXPECT_EQ(json.status, 1);
        EXPECT_NE(json.out.find("\"ok\":false,\"version\":null,\"messages\":[],\"notes\":[\"" +
                                std::string(note) + "\"]"),
                  std::string::npos)
            << json.out;
        const CheckRun text = Check({file});
        EXPECT_NE(text.out.find("\n  note: " + std::string(note) + "\n"), std::string::npos);
        EXPECT_EQ(text.out.find("message:"), std::string::npos) << text.out;
    }
    const CheckRun unknown = Check({"--json", dir.Write("readme.txt", "x")});
    EXPECT_NE(unknown.out.find("\"messages\":[],\"notes\":[\"unknown kind"), std::string::npos)
        << unknown.out;
}

TEST(RoamerCheck, HelpVersionAndUsageErrors) {
    const CheckRun help = Check({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--json"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("--no"), std::string::npos);
    EXPECT_EQ(Check({"-h"}).status, 0);
    const CheckRun version = Check({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("roamer-check ") + ROAMER_VERSION + "\n");
    const CheckRun bogus = Check({"--bogus", "x.vol"});
    EXPECT_EQ(bogus.status, 2);
    EXPECT_TRUE(bogus.out.empty());
    EXPECT_NE(bogus.err.find("--bogus"), std::string::npos) << bogus.err;
    EXPECT_EQ(Check({"--json"}).status, 2);  // no file
    // After "--" a name that looks like an option is a file.
    test::TempDir dir;
    const std::string odd = dir.Write("--json.vol", "a.dsg\r\n");
    const std::filesystem::path cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const CheckRun file = Check({"--json", "--", "--json.vol"});
    std::filesystem::current_path(cwd);
    EXPECT_EQ(file.status, 0) << file.err;
    EXPECT_NE(file.out.find("\"file\":\"--json.vol\""), std::string::npos) << file.out;
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
         {"\"kind\":\"design\",\"ok\":true,\"loaded\":true,\"messages\":[],\"questions\":[],"
          "\"notes\":[]",
          "\"version\":2.431",
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
    EXPECT_NE(yes.out.find("\"ok\":false,\"loaded\":true,"), std::string::npos) << yes.out;
    EXPECT_NE(yes.out.find("\"questions\":[\"是否要繼續執行?\""), std::string::npos) << yes.out;
    EXPECT_NE(yes.out.find("\"walls\":[{"), std::string::npos);
    const CheckRun no = Check({"--no", design});
    EXPECT_EQ(no.status, 1);
    EXPECT_NE(no.out.find("讀取傢俱資料失敗!"), std::string::npos) << no.out;
    EXPECT_NE(no.out.find("0 walls"), std::string::npos) << no.out;
    EXPECT_NE(no.out.find("(not loaded)"), std::string::npos) << no.out;
    EXPECT_NE(Check({"--json", "--no", design}).out.find("\"ok\":false,\"loaded\":false,"),
              std::string::npos);
    EXPECT_EQ(Check({Designs() + "room246.dsg", Designs() + "room23.dsg"}).status, 0);
}

}  // namespace
}  // namespace roamer::tools
