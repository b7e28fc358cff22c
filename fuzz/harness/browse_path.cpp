// The browse path reader; a path it reads is replayed both ways, written out and read again,
// and must come back the same.
#include <cstddef>
#include <cstdint>

#include "harness/harness.h"
#include "nav/browse_file.h"
#include "platform/recording_host.h"
#include "harness/memory_input.h"

namespace {

using roamer::nav::BrowsePath;

bool ReadPath(const std::string& path, BrowsePath& browsePath, bool& read) {
    roamer::RecordingHost host;
    roamer::nav::CBrowseFile file(host);
    if (!file.OpenRead(path)) return false;
    read = file.ReadPath(browsePath);
    file.Close();
    // A failure is always shown, and only once.
    if (read ? !host.Messages().empty() : host.Messages().size() > 1) return false;
    return true;
}

// Replaying either way visits each command once and stops.
bool Replay(BrowsePath& path) {
    const std::size_t count = path.GetCount();
    for (const bool forward : {true, false}) {
        if (!(forward ? path.MoveFirst() : path.MoveLast())) continue;
        std::size_t steps = 0;
        for (; path.HasCurrent() && steps <= count; ++steps)
            forward ? path.NextCommand() : path.PreviousCommand();
        if (steps != count) return false;
    }
    return true;
}

}  // namespace

namespace roamer::fuzz {

bool FuzzBrowsePath(const std::uint8_t* data, std::size_t size) {
    static roamer::fuzz::MemoryInput input;
    static roamer::fuzz::FuzzTree tree;
    static const std::string copy = tree.Root() + "/copy.rcd";
    input.Set(data, size);

    BrowsePath path;
    bool read = false;
    if (!ReadPath(input.Path(), path, read)) return false;
    if (!Replay(path)) return false;
    if (!read) return true;

    roamer::RecordingHost host;
    roamer::nav::CBrowseFile out(host);
    if (!out.OpenWrite(copy) || !out.WritePath(path) || !out.Close()) return false;
    BrowsePath again;
    bool readAgain = false;
    if (!ReadPath(copy, again, readAgain) || !readAgain) return false;
    if (again.KeyStrings() != path.KeyStrings()) return false;
    return true;
}

}  // namespace roamer::fuzz
