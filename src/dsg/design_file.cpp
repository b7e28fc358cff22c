#include "dsg/design_file.h"

namespace roamer::dsg {

bool CDesignFile::OpenWrite(const std::string& path) {
    if (!CTaggedTextFile::OpenWrite(path)) return false;
    SetFileVersion(kWriteVersion);
    return true;
}

}  // namespace roamer::dsg
