#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/plant.h"

namespace roamer::model {

// The plants of one design in file order, with the folder their pictures are found from.
class CPlantList {
public:
    CPlantList(rm::RetainedMode& d3drm, rm::Frame* roomFrame, std::string folder);

    // Creates a plant with the picture of `key`, appends it and hands it out. A plant whose
    // PlantID is already listed takes a copy of that picture at its natural size, without
    // reading the image again. Failures are shown through `host`; nothing is appended then.
    int Load(const PlantKey& key, Host& host, CPlant** plant);
    void Remove(const CPlant* plant);

    int GetCount() const { return static_cast<int>(m_items.size()); }
    CPlant* GetAt(int index) const;
    const std::vector<std::unique_ptr<CPlant>>& Items() const { return m_items; }
    const std::string& GetFolder() const { return m_folder; }
    int ImageReads() const { return m_reads; }

private:
    struct Picture {
        double width = 0.0;
        double height = 0.0;
        std::shared_ptr<rm::MeshBuilder> mesh;  // natural size, before any user size or alpha
    };

    rm::RetainedMode& m_d3drm;
    rm::Frame* m_roomFrame;
    std::string m_folder;
    std::vector<std::unique_ptr<CPlant>> m_items;
    std::map<std::int32_t, Picture> m_pictures;
    int m_reads = 0;
};

}  // namespace roamer::model
