#include "platform/fs/windows_path.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace roamer::fs {
namespace {

class WindowsPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write("designs/Room1.DSG", "");
        dir.Write("designs/chair/Chair01.x", "");
        dir.Write("designs/客廳.dsg", "");  // a UTF-8 name on disk
    }
    std::string Resolve(std::string_view written, std::string_view base) {
        return ResolveExistingPath(written, base).value_or("<none>");
    }
    test::TempDir dir;
};

TEST_F(WindowsPathTest, FindsRelativePathsWrittenOnWindows) {
    const std::string base = dir.File("designs");
    EXPECT_EQ(Resolve("chair\\Chair01.x", base), base + "/chair/Chair01.x");
    EXPECT_EQ(Resolve("CHAIR\\chair01.X", base), base + "/chair/Chair01.x");
    EXPECT_EQ(Resolve("room1.dsg", base), base + "/Room1.DSG");
    EXPECT_EQ(Resolve(".\\chair\\..\\room1.dsg", base), base + "/./chair/../Room1.DSG");
    // A code page 950 name finds the UTF-8 file name.
    EXPECT_EQ(Resolve("\xAB\xC8\xC6\x55.dsg", base), base + "/客廳.dsg");
    EXPECT_EQ(Resolve("missing.dsg", base), "<none>");
    EXPECT_EQ(Resolve("Room1.DSG\\x", base), "<none>");  // a file is not a folder
    EXPECT_EQ(Resolve("", base), "<none>");
}

TEST_F(WindowsPathTest, DrivePathsAreFoundByTheirTail) {
    const std::string base = dir.File("designs");
    // The longest tail that exists wins: designs\chair\Chair01.x from the parent folder...
    EXPECT_EQ(Resolve("C:\\work\\designs\\chair\\Chair01.x", dir.Path()),
              dir.Path() + "/designs/chair/Chair01.x");
    // ...and from the design's own folder only the shorter tail exists.
    EXPECT_EQ(Resolve("D:\\old\\designs\\chair\\chair01.x", base), base + "/chair/Chair01.x");
    EXPECT_EQ(Resolve("\\\\server\\share\\Room1.dsg", base), base + "/Room1.DSG");
    EXPECT_EQ(Resolve("C:\\nowhere\\gone.dsg", base), "<none>");
    EXPECT_EQ(Resolve("C:\\", base), "<none>");
    // The root of the current drive: no such local folder, so the tail is looked for.
    EXPECT_EQ(Resolve("\\designs\\chair\\Chair01.X", dir.Path()),
              dir.Path() + "/designs/chair/Chair01.x");
}

TEST_F(WindowsPathTest, AbsoluteLocalPathsAndHelpers) {
    const std::string absolute = dir.File("designs/room1.dsg");
    EXPECT_EQ(Resolve(absolute, "/elsewhere"), dir.File("designs/Room1.DSG"));
    EXPECT_EQ(ToLocalPath("a\\b\\\xAB\xC8\xC6\x55.dsg"), "a/b/客廳.dsg");
    EXPECT_EQ(LocalFolderOf("/x/y/list.vol"), "/x/y/");
    EXPECT_EQ(LocalFolderOf("list.vol"), "");
}

}  // namespace
}  // namespace roamer::fs
