#pragma once

#include <string>

namespace roamer::fs {

// Where the player finds its HTML manual and the sample rooms: beside an installed program
// (<prefix>/share/roamer/manual and samples), else in the source tree it was built from.
struct DataFolders {
    std::string manual;
    std::string samples;
};

DataFolders FindDataFolders();

// The same choice for a given program folder and source tree, for the tests.
DataFolders DataFoldersFor(const std::string& programFolder, const std::string& sourceTree);

}  // namespace roamer::fs
