#include "model/furniture_list.h"

#include "platform/fs/windows_path.h"

namespace roamer::model {

CFurnitureList::CFurnitureList(rm::RetainedMode& d3drm, rm::Frame* roomFrame, std::string folder)
    : m_d3drm(d3drm), m_roomFrame(roomFrame), m_folder(std::move(folder)) {}

CFurniture* CFurnitureList::GetAt(int index) const {
    if (index < 0 || index >= GetCount()) return nullptr;
    return m_items[static_cast<std::size_t>(index)].get();
}

rm::Status CFurnitureList::Load(const FurnitureKey& key, CFurniture** furniture) {
    *furniture = nullptr;
    // The file's own folder is where the model's textures lie; the loader looks there, so no
    // change of the process's current folder is needed.
    const auto path = fs::ResolveExistingPath(key.FurnitureFile, m_folder);
    if (key.FurnitureFile.empty() || !path || !fs::IsRegularFile(*path))
        return rm::D3DRMERR_FILENOTFOUND;
    std::shared_ptr<rm::MeshBuilder>& model = m_models[*path];
    if (!model) {
        auto loaded = m_d3drm.CreateMeshBuilder();
        ++m_reads;
        const rm::Status status = loaded->Load(*path);
        if (rm::Failed(status)) {
            m_models.erase(*path);
            return status;
        }
        model = std::move(loaded);
    }
    auto mesh = model->Clone();
    mesh->SetPerspective(true);
    auto piece = std::make_unique<CFurniture>(m_d3drm, m_roomFrame);
    piece->SetModel(std::move(mesh), key);
    *furniture = piece.get();
    m_items.push_back(std::move(piece));
    return rm::D3DRM_OK;
}

void CFurnitureList::Remove(const CFurniture* furniture) {
    std::erase_if(m_items, [&](const auto& item) { return item.get() == furniture; });
}

}  // namespace roamer::model
