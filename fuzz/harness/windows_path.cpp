// The Windows path resolver on a small fixed tree: any case, drive and network paths found by
// their tails, code page 950 names. What it finds exists.
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "harness/harness.h"
#include "platform/fs/windows_path.h"
#include "harness/memory_input.h"

namespace {

struct Fixture {
    roamer::fuzz::FuzzTree tree;
    std::string root;
    std::string sub;
    Fixture() {
        tree.AddFile("Models/Chair/Chair01.X");
        tree.AddFile("models/chair/chair02.x");
        tree.AddFile("tex/Wood.BMP");
        tree.AddFile("\xE5\xAE\xA2\xE5\xBB\xB3/\xE6\xA1\x8C.x");  // 客廳/桌.x
        tree.AddFile("designs/room1.dsg");
        tree.AddFile("designs/a b/c.d/e");
        root = tree.Root();
        sub = root + "/designs/";
    }
};

bool Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

namespace roamer::fuzz {

bool FuzzWindowsPath(const std::uint8_t* data, std::size_t size) {
    static Fixture fixture;
    if (size == 0) return true;
    // The first byte picks the base folder; the rest is the written path.
    const std::string_view written(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string& base = data[0] & 1 ? fixture.sub : fixture.root;

    const auto found = roamer::fs::ResolveExistingPath(written, base);
    if (found && !Exists(*found)) return false;
    const std::string local = roamer::fs::ToLocalPath(written);
    const std::string folder = roamer::fs::LocalFolderOf(local);
    if (folder.size() > local.size()) return false;
    return true;
}

}  // namespace roamer::fuzz
