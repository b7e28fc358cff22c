#include "render/path_helpers.h"

#include <gtest/gtest.h>

namespace roamer::render {
namespace {

TEST(PathHelpers, SplitFolderAndName) {
    EXPECT_EQ(FileNameOf("C:\\designs\\chair\\Chair01.X"), "Chair01.X");
    EXPECT_EQ(FolderOf("C:\\designs\\chair\\Chair01.X"), "C:\\designs\\chair\\");
    EXPECT_EQ(FolderOf("/home/a/room.dsg"), "/home/a/");
    EXPECT_EQ(FileNameOf("room.dsg"), "room.dsg");
    EXPECT_EQ(FolderOf("room.dsg"), "");
    EXPECT_EQ(FolderOf("D:room.dsg"), "D:");
    EXPECT_EQ(FileNameOf("D:room.dsg"), "room.dsg");
    EXPECT_EQ(FileNameOf("folder\\"), "");
    EXPECT_EQ(FileNameOf(""), "");
    EXPECT_EQ(FolderOf(""), "");
}

}  // namespace
}  // namespace roamer::render
