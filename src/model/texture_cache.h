#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/texture_key.h"
#include "platform/rm/retained_mode.h"

namespace roamer::model {

// The textures of one design, loaded once per TextureID: surfaces that name the same TextureID
// share the texture loaded for the first of them, whatever file they name.
class TextureCache {
public:
    struct Entry {
        TextureKey key;
        std::shared_ptr<rm::Texture> texture;
        int useCount = 0;
    };

    // `folder` is the design's folder (local path); texture files are found from it.
    TextureCache(rm::RetainedMode& d3drm, std::string folder);

    // The texture of `key.TextureID`, loading it on first use. A failed load is not remembered,
    // so the next request tries again.
    rm::Status Get(const TextureKey& key, std::shared_ptr<rm::Texture>* texture);

    const std::vector<Entry>& Entries() const { return m_entries; }
    const std::string& GetFolder() const { return m_folder; }
    // Files actually read, for reports and tests.
    int LoadCount() const { return m_loads; }

private:
    rm::RetainedMode& m_d3drm;
    std::string m_folder;
    std::vector<Entry> m_entries;
    int m_loads = 0;
};

}  // namespace roamer::model
