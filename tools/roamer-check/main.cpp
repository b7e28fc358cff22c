#include <iostream>
#include <string>
#include <vector>

#include "roamer-check/check_command.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return roamer::tools::RunCheck(args, std::cout, std::cerr);
}
