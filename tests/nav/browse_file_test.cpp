#include "nav/browse_file.h"

#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include <gtest/gtest.h>

#include "nav/browse_path_loader.h"
#include "platform/recording_host.h"
#include "support/temp_dir.h"

namespace roamer::nav {
namespace {

const std::string kMagic =
    "<\xAB\xC7\xA4\xBA\xB3\x5D\xAD\x70\xA8\x74\xB2\xCE\xC2\x73\xC4\xFD\xC0\xC9\xAE\xD7>";

// A version 1.1 file as the recorder writes it, with `keys` as the key-string lines.
std::string RecordedFile(const std::string& keys, int count, const std::string& version = "1.1") {
    std::string text = "[BROWS_RECORDER_BEGIN]\r\n[HEADER_BEGIN]\r\n" + kMagic +
                       "\r\nVersion\r\n    " + version + "\r\n[HEADER_END]\r\n" +
                       "[HEAD_POSITION_BEGIN]\r\n    1.0,2.0,3.0\r\n    0.5\r\n    -0.25\r\n"
                       "[HEAD_POSITION_END]\r\n"
                       "[TAIL_POSITION_BEGIN]\r\n    4.0,5.0,6.0\r\n    1.5\r\n    0.125\r\n"
                       "[TAIL_POSITION_END]\r\n[KEY_STRING_BEGIN]\r\n    " +
                       std::to_string(count) + "\r\n";
    if (version != "1.0") text += "    3.5\r\n    4.5\r\n";
    return text + keys + "[KEY_STRING_END]\r\n[BROWS_RECORDER_END]\r\n";
}

class BrowseFileTest : public ::testing::Test {
protected:
    bool Read(const std::string& bytes) {
        CBrowseFile file(host);
        EXPECT_TRUE(file.OpenRead(dir.Write("path.rcd", bytes)));
        const bool ok = file.ReadPath(path);
        version = file.GetFileVersion();
        file.Close();
        return ok;
    }
    test::TempDir dir;
    RecordingHost host;
    BrowsePath path;
    double version = 0.0;
};

TEST_F(BrowseFileTest, WritesTheRecorderLayoutAndReadsItBack) {
    BrowsePath written;
    written.SetHeadPosition({{1.0f, 2.0f, 3.0f}, 0.5, -0.25});
    written.SetTailPosition({{4.0f, 5.0f, 6.0f}, 1.5, 0.125});
    written.SetPathParameters(3.5, 4.5);
    written.AddName("CPS_GO_FRONT");
    written.AddName("CPS_TIME_STAMP");
    const std::string target = dir.File("walk.rcd");
    CBrowseFile out(host);
    ASSERT_TRUE(out.OpenWrite(target));
    ASSERT_TRUE(out.WritePath(written));
    ASSERT_TRUE(out.Close());
    EXPECT_EQ(test::ReadWholeFile(target),
              "[BROWS_RECORDER_BEGIN]\r\n[HEADER_BEGIN]\r\n" + kMagic +
                  "\r\nVersion\r\n    1.10000000\r\n[HEADER_END]\r\n"
                  "[HEAD_POSITION_BEGIN]\r\n    1.000000,2.000000,3.000000\r\n"
                  "    0.50000000000\r\n    -0.25000000000\r\n[HEAD_POSITION_END]\r\n"
                  "[TAIL_POSITION_BEGIN]\r\n    4.000000,5.000000,6.000000\r\n"
                  "    1.50000000000\r\n    0.12500000000\r\n[TAIL_POSITION_END]\r\n"
                  "[KEY_STRING_BEGIN]\r\n    2\r\n    3.50000000\r\n    4.50000000\r\n"
                  "    \"CPS_GO_FRONT\"\r\n    \"CPS_TIME_STAMP\"\r\n[KEY_STRING_END]\r\n"
                  "[BROWS_RECORDER_END]\r\n");

    ASSERT_TRUE(Read(test::ReadWholeFile(target)));
    EXPECT_TRUE(host.Messages().empty());
    EXPECT_EQ(path.KeyStrings(), written.KeyStrings());
    BrowseView head, tail;
    ASSERT_TRUE(path.GetHeadPosition(head));
    ASSERT_TRUE(path.GetTailPosition(tail));
    EXPECT_EQ(head, (BrowseView{{1.0f, 2.0f, 3.0f}, 0.5, -0.25}));
    EXPECT_EQ(tail, (BrowseView{{4.0f, 5.0f, 6.0f}, 1.5, 0.125}));
    EXPECT_EQ(path.GetPathParameter(1), 4.5);

    CBrowseFile notOpen(host);
    EXPECT_FALSE(notOpen.WritePath(written));
}

TEST_F(BrowseFileTest, WriteFailuresNameTheirBlockAndLeaveNoFile) {
    BrowsePath written;
    written.AddName("CPS_GO_FRONT");
    const std::string target = dir.File("full.rcd");
    {
        CBrowseFile out(host);
        ASSERT_TRUE(out.OpenWrite(target) && out.WritePath(written) && out.Close());
    }
    const std::string full = test::ReadWholeFile(target);
    std::filesystem::remove(target);
    struct Block {
        const char* mark;
        const char* message;
    };
    const Block blocks[] = {{"[HEADER_BEGIN]", "無法寫入瀏覽路徑表頭"},
                            {"[HEAD_POSITION_BEGIN]", "無法寫入瀏覽路徑起點"},
                            {"[TAIL_POSITION_BEGIN]", "無法寫入瀏覽路徑終點"},
                            {"\"CPS_GO_FRONT\"", "無法寫入瀏覽路徑"}};
    // A file size limit makes the disk refuse the bytes in the middle of each block.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    for (const Block& block : blocks) {
        RecordingHost fresh;
        CBrowseFile out(fresh);
        ASSERT_TRUE(out.OpenWrite(target));
        rlimit limit = saved;
        limit.rlim_cur = full.find(block.mark) + 2;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        const bool wrote = out.WritePath(written);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_FALSE(wrote) << block.mark;
        EXPECT_EQ(fresh.Messages(), std::vector<std::string>{block.message});
        EXPECT_FALSE(out.Close());
        EXPECT_FALSE(std::filesystem::exists(target));
    }
}

TEST_F(BrowseFileTest, OldFilesHaveNoParametersAndBlockMarksAreNotChecked) {
    std::string text = RecordedFile("    \"CPS_TURN_LEFT\"\r\n    \"CPS_LOOK_UP\"\r\n", 2, "1.0");
    for (const char* mark : {"[HEADER_BEGIN]", "[HEAD_POSITION_END]", "[KEY_STRING_BEGIN]"})
        text.replace(text.find(mark), std::string(mark).size(), "anything");
    ASSERT_TRUE(Read(text));
    EXPECT_EQ(version, 1.0);
    EXPECT_EQ(path.GetPathParameter(0), 2.0);
    EXPECT_EQ(path.GetPathParameter(1), 2.0);
    EXPECT_EQ(path.KeyStrings(), (std::vector<std::string>{"CPS_TURN_LEFT", "CPS_LOOK_UP"}));
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(BrowseFileTest, ACommentAfterANameIsNotPartOfIt) {
    ASSERT_TRUE(Read(RecordedFile("    \"CPS_GO_FRONT\";\"CPS_TURN_LEFT\"\r\n"
                                  "    \"CPS_LOOK_UP\"  ; turn later\r\n", 2)));
    EXPECT_EQ(path.KeyStrings(), (std::vector<std::string>{"CPS_GO_FRONT", "CPS_LOOK_UP"}));
    EXPECT_EQ(CommandCode(path.KeyStrings().front()), CPS_GO_FRONT);
}

TEST_F(BrowseFileTest, EachBlockFailsWithItsMessage) {
    const std::string good = RecordedFile("    \"CPS_GO_BACK\"\r\n", 1);
    struct Case {
        std::string text;
        const char* message;
    };
    std::string wrongMagic = good;
    wrongMagic.replace(wrongMagic.find(kMagic), kMagic.size(), "<室內設計系統瀏覽檔案>");  // UTF-8
    const Case cases[] = {
        {wrongMagic, "無法讀取瀏覽路徑表頭"},
        {good.substr(0, good.find("[HEADER_END]")), "無法讀取瀏覽路徑表頭"},
        {good.substr(0, good.find("[HEAD_POSITION_BEGIN]")), "無法讀取瀏覽路徑起點"},
        {good.substr(0, good.find("    -0.25")), "無法讀取瀏覽路徑起點"},
        {good.substr(0, good.find("[TAIL_POSITION_END]")), "無法讀取瀏覽路徑終點"},
        {good.substr(0, good.find("    3.5")), "無法讀取瀏覽路徑"},
        {good.substr(0, good.find("[KEY_STRING_END]")), "無法讀取瀏覽路徑"},
        // A count beyond the names consumes the end marks and meets the end of the file.
        {RecordedFile("    \"CPS_GO_BACK\"\r\n", 5), "無法讀取瀏覽路徑"},
    };
    for (const Case& c : cases) {
        RecordingHost fresh;
        CBrowseFile file(fresh);
        BrowsePath p;
        ASSERT_TRUE(file.OpenRead(dir.Write("bad.rcd", c.text)));
        EXPECT_FALSE(file.ReadPath(p));
        EXPECT_EQ(fresh.Messages(), std::vector<std::string>{c.message}) << c.text;
    }
}

TEST_F(BrowseFileTest, AnUnquotedNameFailsTheBlockAndKeepsWhatWasRead) {
    EXPECT_FALSE(Read(RecordedFile("    \"CPS_GO_FRONT\"\r\n    CPS_GO_BACK\r\n    \"CPS_GO_BACK\"\r\n", 3)));
    EXPECT_EQ(host.Messages(), std::vector<std::string>{"無法讀取瀏覽路徑"});
    EXPECT_EQ(path.KeyStrings(), std::vector<std::string>{"CPS_GO_FRONT"});
    BrowseView head;
    EXPECT_TRUE(path.GetHeadPosition(head));  // what was read before the failure stays
}

TEST_F(BrowseFileTest, EndsOfTheFileFailSilently) {
    EXPECT_FALSE(Read(""));
    EXPECT_FALSE(Read("\r\n  \r\n"));
    const std::string good = RecordedFile("", 0);
    EXPECT_FALSE(Read(good.substr(0, good.find("[BROWS_RECORDER_END]"))));
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(BrowseFileTest, LoaderFindsThePathBesideTheDesign) {
    std::string recordPath;
    // No browse path: a normal design, nothing shown.
    EXPECT_FALSE(LoadBrowsePath(dir.File("a.dsg"), path, host, recordPath));
    EXPECT_EQ(recordPath, dir.File("a.rcd"));
    EXPECT_TRUE(host.Messages().empty());
    EXPECT_EQ(host.WaitDepth(), 0);

    // Written on Windows: other case, Linux line ends.
    std::string text = RecordedFile("    \"CPS_GO_FRONT\"\r\n", 1);
    std::erase(text, '\r');
    dir.Write("ROOM.RCD", text);
    ASSERT_TRUE(LoadBrowsePath(dir.File("Room.DSG"), path, host, recordPath));
    EXPECT_EQ(recordPath, dir.File("Room.rcd"));
    EXPECT_EQ(path.KeyStrings(), std::vector<std::string>{"CPS_GO_FRONT"});
    EXPECT_EQ(host.WaitDepth(), 0);

    EXPECT_EQ(BrowsePathNameFor("room.dsg"), "room.rcd");
    EXPECT_EQ(BrowsePathNameFor("ds"), "rcd");
}

}  // namespace
}  // namespace roamer::nav
