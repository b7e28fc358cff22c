#pragma once

#include <span>

namespace roamer::rm {

// The image library's JPEG reader writes past its Huffman tables when a table declares more
// than 256 codes. Walks the markers as that reader does and tells whether every Huffman table
// it would build fits; true for data that is not a JPEG.
bool JpegHuffmanTablesFit(std::span<const unsigned char> bytes);

}  // namespace roamer::rm
