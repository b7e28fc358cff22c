#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "roamer-render/render_command.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    roamer::tools::RenderOptions options;
    const std::string problem = roamer::tools::ParseRenderArguments(args, options);
    if (options.help) {
        std::cout << roamer::tools::RenderHelp();
        return 0;
    }
    if (options.version) {
        std::cout << roamer::tools::RenderVersion();
        return 0;
    }
    if (!problem.empty()) {
        std::cerr << "roamer-render: " << problem << "\nRun with --help for the options.\n";
        return 2;
    }
    options.progressBar = ::isatty(STDERR_FILENO) == 1;
    return roamer::tools::RunRender(options, std::cerr);
}
