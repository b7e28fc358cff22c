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

}  // namespace
}  // namespace roamer::tools
