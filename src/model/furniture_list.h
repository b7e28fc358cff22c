#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/furniture.h"

namespace roamer::model {

// The furniture of one design in file order, with the folder their model files are found from.
class CFurnitureList {
public:
    CFurnitureList(rm::RetainedMode& d3drm, rm::Frame* roomFrame, std::string folder);

    // Creates a piece under the room frame with the model of `key.FurnitureFile`, appends it and
    // hands it out. On failure nothing is appended and the render status is returned.
    rm::Status Load(const FurnitureKey& key, CFurniture** furniture);
    // Drops a piece that this list holds (a record that failed after its model was loaded).
    void Remove(const CFurniture* furniture);

    int GetCount() const { return static_cast<int>(m_items.size()); }
    CFurniture* GetAt(int index) const;
    const std::vector<std::unique_ptr<CFurniture>>& Items() const { return m_items; }
    const std::string& GetFolder() const { return m_folder; }
    // Model files actually read; pieces that share a file share one read.
    int ModelReads() const { return m_reads; }

private:
    rm::RetainedMode& m_d3drm;
    rm::Frame* m_roomFrame;
    std::string m_folder;
    std::vector<std::unique_ptr<CFurniture>> m_items;
    // The models as loaded, by resolved file, so that a model used by many pieces is parsed
    // once; every piece gets its own copy of the geometry.
    std::map<std::string, std::shared_ptr<rm::MeshBuilder>> m_models;
    int m_reads = 0;
};

}  // namespace roamer::model
