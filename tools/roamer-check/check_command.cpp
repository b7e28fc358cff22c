#include "roamer-check/check_command.h"

#include <algorithm>

#include <CLI/CLI.hpp>

#include "roamer-check/file_report.h"
#include "roamer_version.h"

namespace roamer::tools {

int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CLI::App cli("Reads play lists (.vol), browse paths (.rcd) and designs (.dsg) as the player "
                 "does and reports what was read, every message the player would show and what "
                 "only this tool notices (notes).",
                 "roamer-check");
    cli.footer("Exit status: 0 when every file was read whole without a message, 1 when any was "
               "not, 2 for a usage error.");
    bool json = false;
    bool version = false;
    CheckOptions options;
    std::vector<std::string> files;
    cli.add_flag("--json", json, "One JSON object per file, one per line");
    cli.add_flag("--no", options.answerNo,
                 "Answer No when a design asks whether to go on without a missing model "
                 "(the default answer is Yes)");
    cli.add_flag("--version", version, "Print the version and exit");
    cli.add_option("FILE", files, "The files to check");
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        cli.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << cli.help();
        return 0;
    } catch (const CLI::ParseError& e) {
        err << "roamer-check: " << e.what() << "\nRun with --help for more information.\n";
        return 2;
    }
    if (version) {
        out << "roamer-check " << ROAMER_VERSION << '\n';
        return 0;
    }
    if (files.empty()) {
        err << "roamer-check: no file to check\nRun with --help for more information.\n";
        return 2;
    }
    bool allOk = true;
    for (const std::string& file : files) {
        const FileReport report = CheckFile(file, options);
        out << (json ? report.json + '\n' : report.text);
        allOk = allOk && report.ok;
    }
    out.flush();
    return allOk ? 0 : 1;
}

}  // namespace roamer::tools
