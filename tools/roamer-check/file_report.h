#pragma once

#include <string>
#include <vector>

namespace roamer::tools {

// What checking one file found, as a JSON object and as text for people.
struct FileReport {
    bool ok = false;
    std::string json;
    std::string text;
};

// Reads a play list (.vol) or a browse path (.rcd), chosen by the file's extension, exactly as
// the player reads it, and reports what was read and every message the player would show.
FileReport CheckFile(const std::string& path);

}  // namespace roamer::tools
