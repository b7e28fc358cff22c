#pragma once

#include <string>
#include <string_view>

namespace roamer::render {

// The file name with its extension, without drive and folder; either separator counts.
std::string FileNameOf(std::string_view path);
// Drive and folder of the path with the trailing separator; empty when the path has none.
std::string FolderOf(std::string_view path);

}  // namespace roamer::render
