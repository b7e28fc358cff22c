#include "platform/fs/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace roamer::fs {

InputFile::~InputFile() { Close(); }

bool InputFile::Open(const std::string& path) {
    Close();
    if (path.empty()) return false;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

long InputFile::Read(void* buffer, std::size_t size) {
    if (m_fd < 0) return -1;
    for (;;) {
        ssize_t n = ::read(m_fd, buffer, size);
        if (n < 0 && errno == EINTR) continue;
        return static_cast<long>(n);
    }
}

void InputFile::Close() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

WholeFile ReadWholeFile(const std::string& path, std::size_t maxBytes,
                        std::vector<unsigned char>& bytes) {
    InputFile file;
    if (!file.Open(path)) return WholeFile::kCannotRead;
    unsigned char chunk[65536];
    for (;;) {
        const long count = file.Read(chunk, sizeof chunk);
        if (count < 0) return WholeFile::kCannotRead;
        if (count == 0) return WholeFile::kRead;
        if (bytes.size() + static_cast<std::size_t>(count) > maxBytes) return WholeFile::kTooLarge;
        bytes.insert(bytes.end(), chunk, chunk + count);
    }
}

}  // namespace roamer::fs
