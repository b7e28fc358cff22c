#include "platform/fs/data_folder.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace roamer::fs {
namespace {

TEST(DataFolder, InstalledShareFolderWinsOverTheSourceTree) {
    test::TempDir dir;
    const std::filesystem::path prefix(dir.Path());
    std::filesystem::create_directories(prefix / "bin");
    std::filesystem::create_directories(prefix / "share" / "roamer" / "manual");
    const DataFolders found = DataFoldersFor((prefix / "bin").string(), "/src/tree");
    EXPECT_EQ(found.manual, (prefix / "share" / "roamer" / "manual").string());
    EXPECT_EQ(found.samples, (prefix / "share" / "roamer" / "samples").string());
}

TEST(DataFolder, BuildFolderProgramUsesTheSourceTree) {
    test::TempDir dir;
    const DataFolders found = DataFoldersFor(dir.Path(), "/src/tree");
    EXPECT_EQ(found.manual, "/src/tree/doc/manual");
    EXPECT_EQ(found.samples, "/src/tree/samples");
    EXPECT_EQ(DataFoldersFor("", "/src/tree").manual, "/src/tree/doc/manual");
}

TEST(DataFolder, ThisBuildFindsTheManual) {
    EXPECT_TRUE(std::filesystem::exists(FindDataFolders().manual + "/index.html"));
}

}  // namespace
}  // namespace roamer::fs
