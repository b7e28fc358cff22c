#pragma once

#include <string>

#include "dsg/tagged_text_file.h"
#include "nav/browse_path.h"
#include "platform/host.h"

namespace roamer::nav {

// One browse-path file (.rcd) held open. The reader is positional: it reads the blocks in their
// order and checks only the magic text, so block marks may carry any text. Failures are shown
// through the host with the block's message.
class CBrowseFile : public dsg::CTaggedTextFile {
public:
    static constexpr double kWriteVersion = 1.1;

    explicit CBrowseFile(Host& host) : m_host(host) {}

    bool OpenWrite(const std::string& path) override;
    bool ReadPath(BrowsePath& path);
    bool WritePath(const BrowsePath& path);

private:
    bool ReadHeader();
    bool ReadView(const char* failureMessage, BrowseView& view);
    bool ReadKeyStrings(BrowsePath& path);
    bool WriteView(const BrowseView& view, const char* beginMark, const char* endMark);
    bool Fail(const char* message);

    Host& m_host;
};

}  // namespace roamer::nav
