#include "app/walk_length.h"

#include "app/play_list.h"
#include "nav/browse_path_loader.h"
#include "nav/nav_command.h"
#include "platform/recording_host.h"

namespace roamer::app {

std::int64_t PassMilliseconds(const nav::BrowsePath& path, int intervalMs, int pauseMs) {
    if (path.IsEmpty()) return 0;
    std::int64_t ms = static_cast<std::int64_t>(path.GetCount() + 1) * intervalMs;
    // A backward walk plays each command's opposite; a stop stays a stop.
    for (const std::string& name : path.KeyStrings()) {
        const nav::NavCommand code = nav::CommandCode(name);
        const nav::NavCommand played = path.IsForward() ? code : nav::ReverseCommand(code);
        if (played == nav::CPS_TIME_STAMP) ms += pauseMs;
    }
    return ms;
}

std::int64_t EntryPassMilliseconds(std::string_view entry, std::string_view playListFolder,
                                   int intervalMs, int pauseMs) {
    const auto design = ResolvePlayListEntry(entry, playListFolder);
    if (!design) return 0;
    RecordingHost quiet;
    nav::BrowsePath path;
    if (!nav::LoadBrowsePathFile(nav::BrowsePathNameFor(*design), path, quiet)) return 0;
    return PassMilliseconds(path, intervalMs, pauseMs);
}

}  // namespace roamer::app
