#include "platform/fs/data_folder.h"

#include <filesystem>
#include <system_error>

namespace roamer::fs {
namespace {

std::string ProgramFolder() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : exe.parent_path().string();
}

}  // namespace

DataFolders DataFoldersFor(const std::string& programFolder, const std::string& sourceTree) {
    std::error_code error;
    if (!programFolder.empty()) {
        const std::filesystem::path installed =
            std::filesystem::path(programFolder) / ".." / "share" / "roamer";
        if (std::filesystem::is_directory(installed, error)) {
            const std::filesystem::path shared = installed.lexically_normal();
            return {(shared / "manual").string(), (shared / "samples").string()};
        }
    }
    const std::filesystem::path tree(sourceTree);
    return {(tree / "doc" / "manual").string(), (tree / "samples").string()};
}

DataFolders FindDataFolders() { return DataFoldersFor(ProgramFolder(), ROAMER_SOURCE_TREE); }

}  // namespace roamer::fs
