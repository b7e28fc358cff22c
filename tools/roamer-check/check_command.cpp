#include "roamer-check/check_command.h"

#include "roamer-check/file_report.h"

namespace roamer::tools {
namespace {

constexpr const char* kUsage =
    "usage: roamer-check [--json] [--no] FILE...\n"
    "Reads play lists (.vol), browse paths (.rcd) and designs (.dsg) as the player does\n"
    "and reports what was read and every message the player would show.\n"
    "  --json   one JSON object per file, one per line\n"
    "  --no     answer No when a design asks whether to go on without a missing model\n"
    "           (the default answer is Yes)\n";

}  // namespace

int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    bool json = false;
    CheckOptions options;
    bool optionsEnded = false;
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg == "--json") {
            json = true;
        } else if (!optionsEnded && arg == "--no") {
            options.answerNo = true;
        } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            out << kUsage;
            return 0;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            err << "roamer-check: unknown option " << arg << '\n' << kUsage;
            return 2;
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty()) {
        err << kUsage;
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
