#pragma once

#include <epoxy/gl.h>

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "platform/rm/texture.h"

namespace roamer::gl {

// Textures on the GPU, uploaded once and again only when the texture's generation changes.
// Colour-keyed texels are uploaded with alpha 0, and the shader drops them.
class GpuTextureCache {
public:
    GpuTextureCache();
    ~GpuTextureCache();
    GpuTextureCache(const GpuTextureCache&) = delete;
    GpuTextureCache& operator=(const GpuTextureCache&) = delete;

    // The GPU texture for `texture`; a white texel for none.
    GLuint Get(const std::shared_ptr<rm::Texture>& texture);
    // Frees the GPU copies of textures nobody holds any more.
    void Sweep();

private:
    struct Entry {
        std::weak_ptr<rm::Texture> texture;
        std::uint64_t generation = 0;
        GLuint name = 0;
    };
    void Upload(const rm::Texture& texture, GLuint name);

    std::unordered_map<std::uint64_t, Entry> m_entries;
    GLuint m_white = 0;
};

}  // namespace roamer::gl
