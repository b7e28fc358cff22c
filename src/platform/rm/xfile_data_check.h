#pragma once

#include <span>

namespace roamer::rm {

// Follows the data of an uncompressed .x file (text or binary) exactly as the model library's
// reader takes it, template by template, without building anything. True when every number the
// reader takes as a count, an index or a key comes from where such numbers stand, is not
// negative, and is no larger than the data left after it can hold; when the file holds at most
// 2 M face corners and 4 M other elements (vertices, faces, normals, ...) in all; when every
// vertex index is in range; and when nothing is read past the end. The reader allocates from
// these counts, so a file that passes costs it a bounded amount of memory.
bool XFileDataIsBounded(std::span<const unsigned char> bytes);

}  // namespace roamer::rm
