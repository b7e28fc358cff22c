#pragma once

#include <span>

namespace roamer::rm {

// Follows the data of an uncompressed .x file (text or binary) exactly as the model library's
// reader takes it, template by template, without building anything. True when every number the
// reader takes as a count, an index or a key comes from where such numbers stand, is not
// negative, and is no larger than the data left after it can hold; when the file holds at most
// 2 M face corners, 4 M other elements (objects, vertices, faces, normals, ...) and 4096
// materials in all, and the reader's work per material and face and per bone and vertex stays
// bounded; when every vertex index is in range; and when nothing is read past the end. The
// reader allocates from these counts, so a file that passes costs it a bounded amount of memory.
bool XFileDataIsBounded(std::span<const unsigned char> bytes);

}  // namespace roamer::rm
