#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace roamer::fs {

// A regular file opened read-only. Directories, devices and pipes are refused, so a reader
// never blocks or reads endlessly from something that is not a file.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool Open(const std::string& path);
    bool IsOpen() const { return m_fd >= 0; }
    // Reads up to `size` bytes; returns the count read, 0 at the end of the file, -1 on error.
    long Read(void* buffer, std::size_t size);
    void Close();

private:
    int m_fd = -1;
};

enum class WholeFile { kRead, kCannotRead, kTooLarge };

// Reads a whole regular file, refusing one larger than `maxBytes` before holding more than that.
WholeFile ReadWholeFile(const std::string& path, std::size_t maxBytes,
                        std::vector<unsigned char>& bytes);

}  // namespace roamer::fs
