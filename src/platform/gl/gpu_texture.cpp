#include "platform/gl/gpu_texture.h"

#include "platform/gl/hole_colours.h"

#include <vector>

namespace roamer::gl {

GpuTextureCache::GpuTextureCache() {
    glGenTextures(1, &m_white);
    glBindTexture(GL_TEXTURE_2D, m_white);
    const std::uint8_t white[4] = {255, 255, 255, 255};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
    glGenerateMipmap(GL_TEXTURE_2D);
}

GpuTextureCache::~GpuTextureCache() {
    for (auto& [id, entry] : m_entries) {
        glDeleteTextures(1, &entry.name);
    }
    glDeleteTextures(1, &m_white);
}

namespace {

// A picture whose pixels do not fill its size is drawn white rather than read past its end.
bool IsDrawable(const std::shared_ptr<rm::Texture>& texture) {
    if (texture == nullptr) return false;
    const rm::Image& image = texture->GetImage();
    return image.width > 0 && image.height > 0 &&
           image.rgba.size() == static_cast<std::size_t>(image.width) *
                                    static_cast<std::size_t>(image.height) * 4u;
}

}  // namespace

GpuTextureCache::Entry& GpuTextureCache::Sync(const std::shared_ptr<rm::Texture>& texture) {
    Entry& entry = m_entries[texture->Id()];
    if (entry.name == 0) {
        glGenTextures(1, &entry.name);
        entry.texture = texture;
    }
    if (entry.generation != texture->Generation()) {
        entry.holes = Upload(*texture, entry.name);
        entry.generation = texture->Generation();
    }
    return entry;
}

GLuint GpuTextureCache::Get(const std::shared_ptr<rm::Texture>& texture) {
    return IsDrawable(texture) ? Sync(texture).name : m_white;
}

bool GpuTextureCache::HasHoles(const std::shared_ptr<rm::Texture>& texture) {
    return IsDrawable(texture) && Sync(texture).holes;
}

bool GpuTextureCache::Upload(const rm::Texture& texture, GLuint name) {
    const rm::Image& image = texture.GetImage();
    std::vector<std::uint8_t> texels = image.rgba;
    bool holes = false;
    if (texture.GetDecalTransparency()) {
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                if (texture.IsKeyedOut(x, y)) {
                    texels[(static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                            static_cast<std::size_t>(x)) *
                               4u +
                           3u] = 0;
                }
            }
        }
    }
    for (std::size_t at = 0; at < texels.size() && !holes; at += 4) {
        holes = IsHole(&texels[at]);
    }
    if (holes) {
        ColourHolesFromNeighbours(image.width, image.height, texels);
    }
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // Row 0 of the picture is its top row and texture v = 0: uploaded as it is.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, image.width, image.height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, texels.data());
    glGenerateMipmap(GL_TEXTURE_2D);
    return holes;
}

void GpuTextureCache::Sweep() {
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (it->second.texture.expired()) {
            glDeleteTextures(1, &it->second.name);
            it = m_entries.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace roamer::gl
