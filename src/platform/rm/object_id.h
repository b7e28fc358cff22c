#pragma once

#include <cstdint>

namespace roamer::rm {

// A number no other object of this run has, so a device can key its caches by it without
// confusing a destroyed object with a new one made at the same address.
std::uint64_t NewObjectId();

}  // namespace roamer::rm
