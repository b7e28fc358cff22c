#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace roamer::rm {

// The top-level objects of a .x file (text or uncompressed binary), in file order, with the
// bytes each occupies. Model loading needs it to tell a file that starts with a mesh from one
// that holds frames, which the model library does not report.
struct XFileObject {
    std::string type;  // "template", "Header", "Material", "Mesh", "Frame", ...
    std::size_t begin = 0;
    std::size_t end = 0;  // one past the closing brace
};

struct XFileLayout {
    bool isXFile = false;   // starts with a .x header
    bool complete = false;  // every top-level object was scanned to its end
    // Safe to hand to the model library: no whole number in the file exceeds its size (counts
    // and indices are whole numbers, and the library would allocate from a count larger than the
    // file), braces do not nest deeper than its recursive parser can follow, and the scan
    // reached the end of an uncompressed file (what it did not reach was not checked).
    bool parseable = true;
    std::vector<XFileObject> objects;
};

inline constexpr std::size_t kXFileHeaderSize = 16;

XFileLayout ScanXFileLayout(std::span<const unsigned char> bytes);

}  // namespace roamer::rm
