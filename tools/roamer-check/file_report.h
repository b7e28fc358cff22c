#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace roamer::tools {

// What checking one file found, as a JSON object and as text for people.
struct FileReport {
    bool ok = false;
    std::string json;
    std::string text;
};

struct CheckOptions {
    // The answer to "go on without the missing model?" while a design loads.
    bool answerNo = false;
};

// Reads a play list (.vol), a browse path (.rcd) or a design (.dsg), chosen by the file's
// extension, exactly as the player reads it (a design is built into a scene without any
// display), and reports what was read, every message the player would show (`messages`) and
// what only this tool notices (`notes`).
FileReport CheckFile(const std::string& path, const CheckOptions& options = {});

class JsonWriter;

// `lines` as the JSON array `key` and as text lines "  label: line".
void WriteLines(JsonWriter& json, std::ostringstream& text, const char* key, const char* label,
                const std::vector<std::string>& lines);

// The report of one design.
FileReport CheckDesignFile(const std::string& path, const CheckOptions& options);

}  // namespace roamer::tools
