#pragma once

#include <string>

namespace roamer::app {

// A span of time as a clock shows it: "1:05", or "1:02:05" from an hour on; negative is 0:00.
std::string ClockText(double seconds);

}  // namespace roamer::app
