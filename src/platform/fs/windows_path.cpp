#include "platform/fs/windows_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "platform/text/cp950.h"

namespace roamer::fs {
namespace {

bool Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}

std::vector<std::string> SplitComponents(std::string_view path) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : path) {
        if (c == '/') {
            if (!current.empty()) parts.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) parts.push_back(std::move(current));
    return parts;
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

// The entry of `folder` that matches `name` exactly, or else without regard to case; entries whose
// names are code page 950 bytes match by their UTF-8 form. Several case-insensitive matches: the
// first in byte order, so the choice does not depend on the directory's order.
std::optional<std::string> FindEntry(const std::string& folder, const std::string& name) {
    const std::string direct = Join(folder, name);
    if (name == "." || name == ".." || Exists(direct)) return direct;
    const std::string dirPath = folder.empty() ? "." : folder;
    DIR* dir = ::opendir(dirPath.c_str());
    if (!dir) return std::nullopt;
    std::vector<std::string> matches;
    while (const dirent* entry = ::readdir(dir)) {
        std::string_view entryName(entry->d_name);
        if (EqualIgnoringAsciiCase(entryName, name) ||
            EqualIgnoringAsciiCase(text::ToDisplayText(entryName), name))
            matches.emplace_back(entryName);
    }
    ::closedir(dir);
    if (matches.empty()) return std::nullopt;
    std::sort(matches.begin(), matches.end());
    return Join(folder, matches.front());
}

std::optional<std::string> ResolveComponents(std::string folder,
                                             const std::vector<std::string>& parts,
                                             std::size_t first) {
    for (std::size_t i = first; i < parts.size(); ++i) {
        if (i > first && !IsDirectory(folder)) return std::nullopt;
        auto next = FindEntry(folder, parts[i]);
        if (!next) return std::nullopt;
        folder = std::move(*next);
    }
    return folder;
}

// How a path written on Windows for another machine starts: "C:\..." (the drive component),
// "\\server\share\..." (two components) or "\..." (the root of the current drive, none).
// Nothing for every other path.
std::optional<std::size_t> ForeignRootLength(const std::vector<std::string>& parts,
                                             std::string_view written) {
    if (written.size() >= 2 && written[1] == ':' &&
        ((written[0] >= 'A' && written[0] <= 'Z') || (written[0] >= 'a' && written[0] <= 'z')))
        return 1;
    if (written.size() >= 2 && written[0] == '\\' && written[1] == '\\')
        return std::min<std::size_t>(2, parts.size());
    if (!written.empty() && written[0] == '\\') return 0;
    return std::nullopt;
}

}  // namespace

std::string ToLocalPath(std::string_view written) {
    std::string local = text::ToDisplayText(written);
    std::replace(local.begin(), local.end(), '\\', '/');
    return local;
}

std::optional<std::string> ResolveExistingPath(std::string_view written,
                                               std::string_view baseFolder) {
    const std::string local = ToLocalPath(written);
    if (local.empty()) return std::nullopt;
    const std::vector<std::string> parts = SplitComponents(local);
    const std::string base(baseFolder);

    if (const auto root = ForeignRootLength(parts, written)) {
        // A drive or share never exists here; the root of a drive might, as a local root.
        if (*root == 0)
            if (auto found = ResolveComponents("/", parts, 0)) return found;
        // Then the tails, longest first.
        for (std::size_t first = *root; first < parts.size(); ++first)
            if (auto found = ResolveComponents(base, parts, first)) return found;
        return std::nullopt;
    }
    if (local.front() == '/') {
        if (parts.empty()) return std::string("/");
        return ResolveComponents("/", parts, 0);
    }
    return ResolveComponents(base, parts, 0);
}

std::string LocalFolderOf(std::string_view localPath) {
    const auto slash = localPath.rfind('/');
    if (slash == std::string_view::npos) return "";
    return std::string(localPath.substr(0, slash + 1));
}

bool IsRegularFile(const std::string& localPath) {
    struct stat st {};
    return ::stat(localPath.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace roamer::fs
