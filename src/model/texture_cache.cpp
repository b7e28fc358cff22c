#include "model/texture_cache.h"

#include "platform/fs/windows_path.h"

namespace roamer::model {

TextureCache::TextureCache(rm::RetainedMode& d3drm, std::string folder)
    : m_d3drm(d3drm), m_folder(std::move(folder)) {}

rm::Status TextureCache::Get(const TextureKey& key, std::shared_ptr<rm::Texture>* texture) {
    for (Entry& entry : m_entries) {
        if (entry.key.TextureID == key.TextureID) {
            ++entry.useCount;
            *texture = entry.texture;
            return rm::D3DRM_OK;
        }
    }
    // The file name was written on Windows: find it here whatever its case and separators.
    const auto path = fs::ResolveExistingPath(key.TextureFile, m_folder);
    if (!path || key.TextureFile.empty()) return rm::D3DRMERR_FILENOTFOUND;
    std::shared_ptr<rm::Texture> loaded;
    ++m_loads;
    const rm::Status status = m_d3drm.LoadTexture(*path, &loaded);
    if (rm::Failed(status)) return status;
    m_entries.push_back({key, loaded, 1});
    *texture = std::move(loaded);
    return rm::D3DRM_OK;
}

}  // namespace roamer::model
