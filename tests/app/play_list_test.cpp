#include "app/play_list.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace roamer::app {
namespace {

using List = std::vector<std::string>;

class PlayListTest : public ::testing::Test {
protected:
    std::string_view Open(std::string_view bytes) {
        return OpenPlayListFile(dir.Write("list.vol", bytes), list);
    }
    test::TempDir dir;
    List list = {"old.dsg"};
};

TEST_F(PlayListTest, ReadsTrimmedEntriesWithAnyLineEnd) {
    EXPECT_EQ(Open("  a.dsg \r\n\r\n\tb.DSG\r\n"), "");
    EXPECT_EQ(list, (List{"a.dsg", "b.DSG"}));
    EXPECT_EQ(Open("a.dsg\nsub\\b.dsg\n"), "");  // Linux line ends
    EXPECT_EQ(list, (List{"a.dsg", "sub\\b.dsg"}));
    EXPECT_EQ(Open("a.dsg\rc.DsG"), "");  // bare CR, last line without an end
    EXPECT_EQ(list, (List{"a.dsg", "c.DsG"}));
}

TEST_F(PlayListTest, AcceptsOnlyListsOfDesigns) {
    EXPECT_EQ(Open("   \r\n"), kPlayListBad);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(Open(""), kPlayListBad);
    EXPECT_EQ(Open("a.dsg\r\nnotes.txt\r\nb.dsg\r\n"), kPlayListBad);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(Open("sg\r\n"), kPlayListBad);
    EXPECT_TRUE(CheckPlayList({"x.dSg"}));
    EXPECT_FALSE(CheckPlayList({}));
}

TEST_F(PlayListTest, LongLinesAndUnreadableFiles) {
    EXPECT_EQ(Open(std::string(507, 'a') + ".dsg\r\n"), "");  // 511 characters
    EXPECT_EQ(Open(std::string(508, 'a') + ".dsg\r\n"), kPlayListBad);
    EXPECT_TRUE(list.empty());

    list = {"old.dsg"};
    EXPECT_EQ(OpenPlayListFile(dir.File("missing.vol"), list), kPlayListReadFailed);
    EXPECT_EQ(list, List{"old.dsg"});  // a file that cannot be opened keeps the old list
    EXPECT_EQ(OpenPlayListFile(dir.Path(), list), kPlayListReadFailed);
    EXPECT_EQ(list, List{"old.dsg"});
}

TEST_F(PlayListTest, EntriesWrittenOnWindowsAreFoundFromTheListsFolder) {
    dir.Write("lists/Designs/Living Room.DSG", "x");
    const std::string folder = dir.File("lists/");
    EXPECT_EQ(ResolvePlayListEntry("designs\\living room.dsg", folder),
              dir.File("lists/Designs/Living Room.DSG"));
    EXPECT_EQ(ResolvePlayListEntry("E:\\Projects\\Designs\\Living Room.dsg", folder),
              dir.File("lists/Designs/Living Room.DSG"));
    EXPECT_FALSE(ResolvePlayListEntry("designs", folder));  // a folder is no design
    EXPECT_FALSE(ResolvePlayListEntry("gone.dsg", folder));
}

}  // namespace
}  // namespace roamer::app
