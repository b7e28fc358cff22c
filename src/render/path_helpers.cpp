#include "render/path_helpers.h"

namespace roamer::render {
namespace {

// Where the name starts: after the last separator, or after a drive such as "C:".
std::size_t NameStart(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/");
    if (separator != std::string_view::npos) return separator + 1;
    if (path.size() >= 2 && path[1] == ':') return 2;
    return 0;
}

}  // namespace

std::string FileNameOf(std::string_view path) { return std::string(path.substr(NameStart(path))); }

std::string FolderOf(std::string_view path) { return std::string(path.substr(0, NameStart(path))); }

}  // namespace roamer::render
