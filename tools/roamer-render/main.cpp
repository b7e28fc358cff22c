#include <iostream>
#include <string>
#include <vector>

#include "roamer-render/render_command.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    roamer::tools::RenderOptions options;
    const std::string problem = roamer::tools::ParseRenderArguments(args, options);
    if (!problem.empty()) {
        std::cerr << "roamer-render: " << problem << '\n' << roamer::tools::kRenderUsage;
        return 2;
    }
    return roamer::tools::RunRender(options, std::cerr);
}
