#include "nav/browse_path_loader.h"

#include "nav/browse_file.h"
#include "platform/fs/windows_path.h"

namespace roamer::nav {

std::string BrowsePathNameFor(std::string_view designPath) {
    const std::size_t keep = designPath.size() >= 3 ? designPath.size() - 3 : 0;
    return std::string(designPath.substr(0, keep)) + "rcd";
}

bool LoadBrowsePath(std::string_view designPath, BrowsePath& path, Host& host,
                    std::string& recordPath) {
    recordPath = BrowsePathNameFor(designPath);
    return LoadBrowsePathFile(recordPath, path, host);
}

bool LoadBrowsePathFile(const std::string& recordPath, BrowsePath& path, Host& host) {
    host.BeginWaitCursor();
    CBrowseFile file(host);
    bool opened = file.OpenRead(recordPath);
    if (!opened) {
        if (auto found = fs::ResolveExistingPath(recordPath, ""))
            opened = fs::IsRegularFile(*found) && file.OpenRead(*found);
    }
    if (!opened) {
        host.EndWaitCursor();
        return false;
    }
    const bool read = file.ReadPath(path);
    const bool closed = file.Close();
    host.EndWaitCursor();
    return read && closed;
}

}  // namespace roamer::nav
