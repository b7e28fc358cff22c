#include "platform/fs/output_file.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace roamer::fs {
namespace {

std::size_t EntriesIn(const std::string& folder) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) ++n;
    return n;
}

TEST(OutputFile, ReplacesTheTargetOnlyOnCommit) {
    test::TempDir dir;
    const std::string target = dir.Write("room.dsg", "old");
    {
        OutputFile out;
        ASSERT_TRUE(out.Open(target));
        EXPECT_TRUE(out.Write("new text"));
        EXPECT_EQ(test::ReadWholeFile(target), "old");  // still untouched while writing
    }  // destroyed without Commit
    EXPECT_EQ(test::ReadWholeFile(target), "old");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);  // no temporary file left behind

    OutputFile out;
    ASSERT_TRUE(out.Open(target));
    EXPECT_TRUE(out.Write("new "));
    EXPECT_TRUE(out.Write("text"));
    EXPECT_TRUE(out.Commit());
    EXPECT_EQ(test::ReadWholeFile(target), "new text");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    EXPECT_FALSE(out.Write("more"));  // closed
}

TEST(OutputFile, KeepsPermissionsAndRefusesFolders) {
    test::TempDir dir;
    const std::string target = dir.Write("plan.rcd", "x");
    std::filesystem::permissions(target, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_write |
                                             std::filesystem::perms::group_read);
    OutputFile out;
    ASSERT_TRUE(out.Open(target));
    ASSERT_TRUE(out.Commit());
    EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);

    EXPECT_FALSE(out.Open(dir.Path()));
    EXPECT_FALSE(out.Open(dir.File("no-such-folder/file.dsg")));
}

}  // namespace
}  // namespace roamer::fs
