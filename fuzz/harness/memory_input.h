#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace roamer::fuzz {

// A file that lives in memory (memfd): the readers open it by path like any file, but writing
// each input costs no disk access.
class MemoryInput {
public:
    MemoryInput();
    ~MemoryInput();
    MemoryInput(const MemoryInput&) = delete;
    MemoryInput& operator=(const MemoryInput&) = delete;

    // Replaces the content; every later open of Path() reads exactly these bytes.
    void Set(const std::uint8_t* data, std::size_t size);
    // "/proc/self/fd/N": opens a fresh description of the file, read from its start.
    const std::string& Path() const { return m_path; }

private:
    int m_fd = -1;
    std::string m_path;
};

// A folder made once per process (under /dev/shm when there is one) and removed at exit. Inputs
// are reached through links in it, so a reader that looks beside its file finds the tree.
class FuzzTree {
public:
    // Creates the folder; aborts when that is impossible, as no run could mean anything then.
    FuzzTree();
    ~FuzzTree();
    FuzzTree(const FuzzTree&) = delete;
    FuzzTree& operator=(const FuzzTree&) = delete;

    const std::string& Root() const { return m_root; }
    // Creates the folders of `relative` and a file in it with `content`.
    void AddFile(const std::string& relative, const std::string& content = "x");
    // Copies a folder of the source tree (e.g. "samples/tex") to `relative`; files already
    // there are kept.
    void CopyFolder(const std::string& sourceRelative, const std::string& relative);
    // A link `name` in the tree to `input`; returns its path.
    std::string Link(const std::string& name, const MemoryInput& input);

private:
    std::string m_root;
};

// The source tree: ROAMER_SOURCE_DIR in the environment, else the one the targets were built from.
std::string SourceDir();

}  // namespace roamer::fuzz
