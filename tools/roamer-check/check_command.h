#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace roamer::tools {

// roamer-check [--json] [--no] FILE...: 0 when every file read without a message, 1 when any did not,
// 2 for a usage error; --help and --version print and give 0.
int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace roamer::tools
