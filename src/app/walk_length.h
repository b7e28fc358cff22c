#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "nav/browse_path.h"

namespace roamer::app {

// How long one pass over a browse path plays: the start view and every command each for one
// tick of the play timer, and every recorded stop for the pause besides. Zero for an empty path.
std::int64_t PassMilliseconds(const nav::BrowsePath& path, int intervalMs, int pauseMs);

// The same for the browse path beside a play list entry, read quietly before its design is
// loaded; zero when the design or its browse path cannot be read.
std::int64_t EntryPassMilliseconds(std::string_view entry, std::string_view playListFolder,
                                   int intervalMs, int pauseMs);

}  // namespace roamer::app
