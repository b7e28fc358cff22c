#pragma once

#include <string>

#include "dsg/tagged_text_file.h"

namespace roamer::dsg {

// One room design file (.dsg) held open for reading or writing.
class CDesignFile : public CTaggedTextFile {
public:
    // The format version this program writes.
    static constexpr double kWriteVersion = 2.46;

    bool OpenWrite(const std::string& path) override;
};

}  // namespace roamer::dsg
