#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace roamer::rm {

// True for a .x file whose data is compressed (the `tzip` and `bzip` formats).
bool IsCompressedXFile(std::span<const unsigned char> bytes);

// The uncompressed file the model library reads from a compressed .x file: the MSZIP blocks
// inflated one after another as the library walks them, behind a header that names the text or
// binary format. False, with nothing allocated past `budget`, when a block is broken or the
// blocks could inflate to more than `budget` bytes.
bool InflateXFile(std::span<const unsigned char> bytes, std::size_t budget,
                  std::vector<unsigned char>* file);

}  // namespace roamer::rm
