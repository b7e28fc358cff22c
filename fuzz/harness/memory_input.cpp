#include "harness/memory_input.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace roamer::fuzz {
namespace {

[[noreturn]] void Die(const char* what) {
    std::perror(what);
    std::abort();
}

}  // namespace

MemoryInput::MemoryInput() {
    m_fd = ::memfd_create("roamer-fuzz-input", MFD_CLOEXEC);
    if (m_fd < 0) Die("memfd_create");
    m_path = "/proc/self/fd/" + std::to_string(m_fd);
}

MemoryInput::~MemoryInput() { ::close(m_fd); }

void MemoryInput::Set(const std::uint8_t* data, std::size_t size) {
    if (::ftruncate(m_fd, 0) != 0) Die("ftruncate");
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(m_fd, data + done, size - done, static_cast<off_t>(done));
        if (n <= 0) Die("pwrite");
        done += static_cast<std::size_t>(n);
    }
}

FuzzTree::FuzzTree() {
    namespace stdfs = std::filesystem;
    std::string base = stdfs::is_directory("/dev/shm") ? "/dev/shm" : stdfs::temp_directory_path();
    std::string pattern = base + "/roamer-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) Die("mkdtemp");
    m_root = pattern;
}

FuzzTree::~FuzzTree() {
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
}

void FuzzTree::AddFile(const std::string& relative, const std::string& content) {
    const std::filesystem::path path = std::filesystem::path(m_root) / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

void FuzzTree::CopyFolder(const std::string& sourceRelative, const std::string& relative) {
    namespace stdfs = std::filesystem;
    const stdfs::path target = stdfs::path(m_root) / relative;
    stdfs::create_directories(target);
    std::error_code error;
    stdfs::copy(stdfs::path(SourceDir()) / sourceRelative, target,
                stdfs::copy_options::recursive | stdfs::copy_options::skip_existing, error);
    if (error) {
        std::fprintf(stderr, "copy %s: %s\n", sourceRelative.c_str(), error.message().c_str());
        std::abort();
    }
}

std::string FuzzTree::Link(const std::string& name, const MemoryInput& input) {
    const std::string link = m_root + "/" + name;
    ::unlink(link.c_str());
    if (::symlink(input.Path().c_str(), link.c_str()) != 0) Die("symlink");
    return link;
}

std::string SourceDir() {
    const char* dir = std::getenv("ROAMER_SOURCE_DIR");
    return dir != nullptr && *dir != '\0' ? dir : ROAMER_FUZZ_SOURCE_DIR;
}

}  // namespace roamer::fuzz
