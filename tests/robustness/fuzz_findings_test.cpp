// Every input the fuzz campaigns found a fault with, kept under tests/data/fuzz/<target>/, goes
// through the same code the fuzz target runs; so do a few good files, which must pass its rules.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "harness/harness.h"

namespace roamer {
namespace {

namespace stdfs = std::filesystem;

std::string DataDir() {
    const char* root = std::getenv("ROAMER_TEST_DATA");
    return root ? root : "tests/data";
}

std::vector<std::uint8_t> Bytes(const stdfs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool RunFile(fuzz::Harness harness, const stdfs::path& path) {
    const std::vector<std::uint8_t> bytes = Bytes(path);
    return harness(bytes.data(), bytes.size());
}

TEST(FuzzFindings, EveryKeptFindingIsHandled) {
    int count = 0;
    for (const fuzz::NamedHarness& harness : fuzz::kHarnesses) {
        const stdfs::path folder = stdfs::path(DataDir()) / "fuzz" / harness.name;
        if (!stdfs::is_directory(folder)) continue;
        std::vector<stdfs::path> files;
        for (const auto& entry : stdfs::directory_iterator(folder))
            if (entry.is_regular_file()) files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        for (const stdfs::path& file : files) {
            EXPECT_TRUE(RunFile(harness.run, file)) << file;
            ++count;
        }
    }
    RecordProperty("findings", count);
}

TEST(FuzzFindings, GoodFilesKeepTheTargetsRules) {
    const stdfs::path data(DataDir());
    EXPECT_TRUE(RunFile(fuzz::FuzzDesign, data / "designs/room246.dsg"));
    EXPECT_TRUE(RunFile(fuzz::FuzzTaggedText, data / "designs/room23.dsg"));
    EXPECT_TRUE(RunFile(fuzz::FuzzXFile, data / "models/chair.x"));
    EXPECT_TRUE(RunFile(fuzz::FuzzPicture, data / "models/wood.bmp"));
    const std::string browse =
        "[BROWS_RECORDER_BEGIN]\r\n[HEADER_BEGIN]\r\n"
        "<\xAB\xC7\xA4\xBA\xB3\x5D\xAD\x70\xA8\x74\xB2\xCE\xC2\x73\xC4\xFD\xC0\xC9\xAE\xD7>\r\n"
        "Version\r\n    1.1\r\n[HEADER_END]\r\n[HEAD_POSITION_BEGIN]\r\n    1,2,3\r\n    0.5\r\n"
        "    0\r\n[HEAD_POSITION_END]\r\n[TAIL_POSITION_BEGIN]\r\n    4,5,6\r\n    1.5\r\n"
        "    0.1\r\n[TAIL_POSITION_END]\r\n[KEY_STRING_BEGIN]\r\n    1\r\n    2.0\r\n    2.0\r\n"
        "    \"CPS_GO_FRONT\"\r\n[KEY_STRING_END]\r\n[BROWS_RECORDER_END]\r\n";
    const auto* b = reinterpret_cast<const std::uint8_t*>(browse.data());
    EXPECT_TRUE(fuzz::FuzzBrowsePath(b, browse.size()));
    const std::string list = "room1.dsg\r\nSUB\\ROOM2.dsg\r\n\xAB\xC8\xC6\x55.dsg\r\n";
    EXPECT_TRUE(fuzz::FuzzPlayList(reinterpret_cast<const std::uint8_t*>(list.data()), list.size()));
    const std::string text = "\xAB\xC8\xC6\x55 ABC";
    EXPECT_TRUE(fuzz::FuzzCp950(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    const std::string path = std::string(1, '\0') + "C:\\x\\MODELS\\chair\\chair01.x";
    EXPECT_TRUE(
        fuzz::FuzzWindowsPath(reinterpret_cast<const std::uint8_t*>(path.data()), path.size()));
}

}  // namespace
}  // namespace roamer
