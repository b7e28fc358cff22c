#include "app/play_list.h"

#include "platform/fs/input_file.h"
#include "platform/fs/line_reader.h"
#include "platform/fs/windows_path.h"

namespace roamer::app {
namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

PlayListRead ReadPlayList(const std::string& localPath, std::vector<std::string>& playList) {
    fs::InputFile file;
    if (!file.Open(localPath)) return PlayListRead::kCannotOpen;
    playList.clear();
    fs::LineReader reader(file, kMaxPlayListLine + 1);
    std::string line;
    while (reader.ReadLine(line)) {
        if (line.size() > kMaxPlayListLine) {
            playList.clear();
            return PlayListRead::kLineTooLong;
        }
        const std::string_view entry = Trim(line);
        if (!entry.empty()) playList.emplace_back(entry);
    }
    if (reader.Failed()) {
        playList.clear();
        return PlayListRead::kCannotRead;
    }
    return PlayListRead::kRead;
}

bool CheckPlayList(const std::vector<std::string>& playList) {
    if (playList.empty()) return false;
    for (const std::string& entry : playList) {
        if (entry.size() < 3) return false;
        const std::string_view tail = std::string_view(entry).substr(entry.size() - 3);
        if (Upper(tail[0]) != 'D' || Upper(tail[1]) != 'S' || Upper(tail[2]) != 'G') return false;
    }
    return true;
}

std::string_view OpenPlayListFile(const std::string& localPath, std::vector<std::string>& playList) {
    switch (ReadPlayList(localPath, playList)) {
        case PlayListRead::kCannotOpen:
        case PlayListRead::kCannotRead:
            return kPlayListReadFailed;
        case PlayListRead::kLineTooLong:
            return kPlayListBad;
        case PlayListRead::kRead:
            break;
    }
    if (CheckPlayList(playList)) return {};
    playList.clear();
    return kPlayListBad;
}

std::optional<std::string> ResolvePlayListEntry(std::string_view entry,
                                                std::string_view playListFolder) {
    auto found = fs::ResolveExistingPath(entry, playListFolder);
    if (!found || !fs::IsRegularFile(*found)) return std::nullopt;
    return found;
}

}  // namespace roamer::app
