#include "model/plant_list.h"

#include "platform/fs/windows_path.h"
#include "platform/text/cp950.h"

namespace roamer::model {

CPlantList::CPlantList(rm::RetainedMode& d3drm, rm::Frame* roomFrame, std::string folder)
    : m_d3drm(d3drm), m_roomFrame(roomFrame), m_folder(std::move(folder)) {}

CPlant* CPlantList::GetAt(int index) const {
    if (index < 0 || index >= GetCount()) return nullptr;
    return m_items[static_cast<std::size_t>(index)].get();
}

int CPlantList::Load(const PlantKey& key, Host& host, CPlant** plant) {
    *plant = nullptr;
    auto item = std::make_unique<CPlant>(m_d3drm, m_roomFrame);
    // The copy comes from the picture as first built, so it starts at the natural size and
    // colour whatever the first plant of this PlantID was given afterwards.
    const auto known = m_pictures.find(key.PlantID);
    if (known != m_pictures.end()) {
        item->TakePicture(key, known->second.width, known->second.height,
                          known->second.mesh->Clone());
    } else {
        const auto path = fs::ResolveExistingPath(key.PlantFile, m_folder);
        std::shared_ptr<rm::Texture> texture;
        ++m_reads;
        rm::Status status = rm::D3DRMERR_FILENOTFOUND;
        if (!key.PlantFile.empty() && path && fs::IsRegularFile(*path))
            status = m_d3drm.LoadTexture(*path, &texture);
        if (rm::Failed(status)) {
            host.ShowMessage("檔案無法開啟 " + text::ToDisplayText(key.PlantFile));
            return status;
        }
        const int built = item->BuildPicture(key, texture, host);
        if (built != 0) return built;
        m_pictures[key.PlantID] = {item->GetPictureWidth(), item->GetPictureHeight(),
                                   item->GetMesh()->Clone()};
    }
    item->Attach();
    *plant = item.get();
    m_items.push_back(std::move(item));
    return 0;
}

void CPlantList::Remove(const CPlant* plant) {
    std::erase_if(m_items, [&](const auto& item) { return item.get() == plant; });
}

}  // namespace roamer::model
