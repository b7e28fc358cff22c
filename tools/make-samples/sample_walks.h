#pragma once

#include <string>
#include <vector>

#include "nav/browse_path.h"

namespace roamer::samples {

// A recorded walk through one sample room, built from readable steps.
struct SampleWalk {
    std::string name;  // file name without extension, UTF-8
    nav::BrowsePath path;
};

std::vector<SampleWalk> MakeSampleWalks();

}  // namespace roamer::samples
