#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace roamer::fs {

// A file written beside its target under a temporary name and renamed over the target only by
// Commit, so an interrupted or failed save never destroys what was on disk. Destroying an
// uncommitted file removes the temporary file and leaves the target as it was.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool Open(const std::string& targetPath);
    bool IsOpen() const { return m_fd >= 0; }
    // Writes all bytes; false on any error, after which Commit refuses.
    bool Write(std::string_view bytes);
    bool Failed() const { return m_failed; }
    // Flushes, closes and renames the temporary file over the target.
    bool Commit();
    // Closes and removes the temporary file.
    void Discard();
    // The temporary file's name, for a writer that opens the file by name itself.
    const std::string& TemporaryPath() const { return m_temporary; }

private:
    int m_fd = -1;
    bool m_failed = false;
    std::string m_target;
    std::string m_temporary;
};

}  // namespace roamer::fs
