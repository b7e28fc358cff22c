#pragma once

#include <optional>
#include <string>
#include <string_view>

// Paths in our files were written on Windows: `chair\Chair01.X`, `C:\designs\room1.dsg`, names in
// code page 950. These functions find such paths on a case-sensitive file system.
namespace roamer::fs {

// Turns a written path into a local one without looking at the disk: backslashes become slashes
// and code page 950 text becomes UTF-8. Used for files that are about to be created.
std::string ToLocalPath(std::string_view written);

// Finds the existing file or folder that a written path names. Relative paths are taken from
// `baseFolder` (the current folder when empty). Each component that does not exist as written is
// matched without regard to case. A drive or network path that does not exist here is looked for
// by its trailing components relative to `baseFolder`, the longest tail first.
std::optional<std::string> ResolveExistingPath(std::string_view written,
                                               std::string_view baseFolder);

// The folder part of a local path including its final slash ("" when there is none).
std::string LocalFolderOf(std::string_view localPath);

bool IsRegularFile(const std::string& localPath);

}  // namespace roamer::fs
