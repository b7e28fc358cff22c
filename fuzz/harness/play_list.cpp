// The play list reader, with every entry it accepts resolved the way the player finds the
// design: Windows paths, any case, code page 950 names, on a small fixed tree.
#include <cstddef>
#include <cstdint>

#include "harness/harness.h"
#include "app/play_list.h"
#include "platform/fs/windows_path.h"
#include "harness/memory_input.h"

namespace {

struct Fixture {
    roamer::fuzz::MemoryInput input;
    roamer::fuzz::FuzzTree tree;
    std::string path;
    std::string folder;
    Fixture() {
        tree.AddFile("room1.dsg");
        tree.AddFile("Sub/Room2.DSG");
        tree.AddFile("sub/room3.dsg");
        tree.AddFile("\xE5\xAE\xA2\xE5\xBB\xB3.dsg");  // 客廳.dsg
        tree.AddFile("designs/\xE8\x87\xA5\xE5\xAE\xA4/bed.dsg");  // designs/臥室/bed.dsg
        tree.AddFile("folder.dsg/inside.dsg");
        path = tree.Link("list.vol", input);
        folder = roamer::fs::LocalFolderOf(path);
    }
};

}  // namespace

namespace roamer::fuzz {

bool FuzzPlayList(const std::uint8_t* data, std::size_t size) {
    static Fixture fixture;
    fixture.input.Set(data, size);
    std::vector<std::string> list;
    const std::string_view message = roamer::app::OpenPlayListFile(fixture.path, list);
    if (message.empty() != !list.empty()) return false;
    for (const std::string& entry : list) {
        if (entry.size() > roamer::app::kMaxPlayListLine) return false;
        const auto found = roamer::app::ResolvePlayListEntry(entry, fixture.folder);
        if (found && !roamer::fs::IsRegularFile(*found)) return false;
    }
    return true;
}

}  // namespace roamer::fuzz
