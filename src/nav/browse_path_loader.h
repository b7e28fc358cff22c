#pragma once

#include <string>
#include <string_view>

#include "nav/browse_path.h"
#include "platform/host.h"

namespace roamer::nav {

// The browse-path file of a design: its path with the last three characters replaced by "rcd".
std::string BrowsePathNameFor(std::string_view designPath);

// Reads the browse path that lies beside a design (a local path) into `path`, which the caller
// has just emptied, and stores the file's name in `recordPath`. A design without a browse path
// is normal: false without a message. The name is found without regard to case, so room.DSG
// finds room.rcd as well as ROOM.RCD.
bool LoadBrowsePath(std::string_view designPath, BrowsePath& path, Host& host,
                    std::string& recordPath);
// The same for a browse-path file named directly.
bool LoadBrowsePathFile(const std::string& recordPath, BrowsePath& path, Host& host);

}  // namespace roamer::nav
