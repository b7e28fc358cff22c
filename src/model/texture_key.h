#pragma once

#include <cstdint>
#include <string>

namespace roamer::model {

// The identity of a texture as the design names it. A surface is textured when TextureID > 0.
struct TextureKey {
    std::int32_t TextureID = -1;
    std::int32_t TextureTypeID = -1;
    std::int32_t VenderID = -1;
    std::string TextureName;  // code page 950 bytes, as in the file
    std::string TextureFile;  // relative to the design's folder, written on Windows

    // What a texture that could not be loaded leaves behind: no identity at all, so a later save
    // drops the reference.
    void Clear() { *this = TextureKey{}; }
    bool operator==(const TextureKey&) const = default;
};

}  // namespace roamer::model
