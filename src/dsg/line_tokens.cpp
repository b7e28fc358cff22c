#include "dsg/line_tokens.h"

namespace roamer::dsg {
namespace {

std::string_view SkipSpaces(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && line[i] == ' ') ++i;
    return line.substr(i);
}

}  // namespace

std::string_view FirstToken(std::string_view line) {
    line = SkipSpaces(line);
    std::size_t end = 0;
    while (end < line.size() && line[end] != ',' && line[end] != ' ' && line[end] != ';') ++end;
    return line.substr(0, end);
}

std::string_view TextToken(std::string_view line) {
    line = SkipSpaces(line);
    std::size_t end = 0;
    while (end < line.size() && line[end] != ',' && line[end] != ';') ++end;
    return line.substr(0, end);
}

void SplitTokens(std::string_view line, std::vector<std::string_view>& tokens) {
    tokens.clear();
    const std::size_t comment = line.find(';');
    if (comment != std::string_view::npos) line = line.substr(0, comment);
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == ',')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != ',') ++i;
        if (i > start) tokens.push_back(line.substr(start, i - start));
    }
}

bool QuotedValue(std::string_view line, std::string_view& value) {
    line = SkipSpaces(line);
    if (line.empty() || line.front() != '"') return false;
    // A semicolon outside quotes starts the comment; the value ends at the last quote before.
    bool quoted = false;
    std::size_t end = line.size();
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            quoted = !quoted;
        } else if (line[i] == ';' && !quoted) {
            end = i;
            break;
        }
    }
    const std::size_t last = line.substr(0, end).rfind('"');
    if (last == 0) return false;
    value = line.substr(1, last - 1);
    return true;
}

}  // namespace roamer::dsg
