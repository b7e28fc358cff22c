#include "platform/fs/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace roamer::fs {
namespace {

mode_t CurrentUmask() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

}  // namespace

OutputFile::~OutputFile() { Discard(); }

bool OutputFile::Open(const std::string& targetPath) {
    Discard();
    if (targetPath.empty() || targetPath.back() == '/') return false;
    struct stat st {};
    const bool targetExists = ::stat(targetPath.c_str(), &st) == 0;
    if (targetExists && !S_ISREG(st.st_mode)) return false;

    const auto slash = targetPath.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : targetPath.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? targetPath : targetPath.substr(slash + 1);
    std::string pattern = folder + "." + name + ".XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    int fd = ::mkstemp(buffer.data());
    if (fd < 0) return false;
    // Keep the target's permissions; a new file gets the usual ones.
    const mode_t mode = targetExists ? (st.st_mode & 07777) : (0666 & ~CurrentUmask());
    if (::fchmod(fd, mode) != 0) {
        ::close(fd);
        ::unlink(buffer.data());
        return false;
    }
    m_fd = fd;
    m_failed = false;
    m_target = targetPath;
    m_temporary = buffer.data();
    return true;
}

bool OutputFile::Write(std::string_view bytes) {
    if (m_fd < 0 || m_failed) return false;
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(m_fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            m_failed = true;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

bool OutputFile::Commit() {
    if (m_fd < 0) return false;
    bool ok = !m_failed && ::fsync(m_fd) == 0;
    ok = (::close(m_fd) == 0) && ok;
    m_fd = -1;
    if (ok) ok = std::rename(m_temporary.c_str(), m_target.c_str()) == 0;
    if (!ok) ::unlink(m_temporary.c_str());
    m_temporary.clear();
    m_target.clear();
    return ok;
}

void OutputFile::Discard() {
    if (m_fd < 0) return;
    ::close(m_fd);
    m_fd = -1;
    ::unlink(m_temporary.c_str());
    m_temporary.clear();
    m_target.clear();
}

}  // namespace roamer::fs
