#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace roamer::app {

// A play list file (.vol): one design path per line, as bytes in code page 950.
enum class PlayListRead {
    kRead,         // the lines were read into the list
    kCannotOpen,   // the file could not be opened: the list keeps its old entries
    kCannotRead,   // a read error: the list is empty
    kLineTooLong,  // a line too long to be a path: the list is empty
};

inline constexpr std::string_view kPlayListReadFailed = "讀取播放表失敗!";
inline constexpr std::string_view kPlayListBad = "錯誤的播放表!";

// The longest line a play list may hold.
inline constexpr std::size_t kMaxPlayListLine = 511;

// Reads the non-empty lines of a play list, stripped of white space at both ends. The list is
// emptied once the file is open.
PlayListRead ReadPlayList(const std::string& localPath, std::vector<std::string>& playList);

// Accepted when there is at least one entry and every entry ends in "DSG", in any case.
bool CheckPlayList(const std::vector<std::string>& playList);

// What opening a play list shows: reads the file, then checks it; a list that fails the check
// is emptied. Empty when the list was accepted.
std::string_view OpenPlayListFile(const std::string& localPath, std::vector<std::string>& playList);

// The local file a play list entry names: found from the play list's folder when relative,
// with the Windows path rules; nothing when it does not exist.
std::optional<std::string> ResolvePlayListEntry(std::string_view entry,
                                                std::string_view playListFolder);

}  // namespace roamer::app
