#pragma once

#include <string>
#include <string_view>

namespace roamer::test {

// A fresh folder for one test, removed with everything in it when the test ends.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    // The local path of `name` inside the folder.
    std::string File(std::string_view name) const;
    // Writes `bytes` to `name` (creating folders on the way) and returns its path.
    std::string Write(std::string_view name, std::string_view bytes) const;

private:
    std::string m_path;
};

std::string ReadWholeFile(const std::string& path);

}  // namespace roamer::test
