// The plant section.
#include "dsg/design_file.h"
#include "platform/text/cp950.h"
#include "render/path_helpers.h"

namespace roamer::dsg {
namespace {

constexpr const char* kProgressText = "讀取植物資料...";
constexpr double kFlagsVersion = 2.431;

}  // namespace

bool CDesignFile::ReadPlant(model::CRoomDesign& design) {
    model::PlantKey key;
    if (!(FindKey("BEGIN_PLANT") && FindKey("PlantID") && ReadInt(key.PlantID) &&
          FindKey("PlantTypeID") && ReadInt(key.PlantTypeID) && FindKey("PlantName") &&
          ReadString(key.PlantName) && FindKey("PlantFile") && ReadString(key.PlantFile)))
        return false;
    model::CPlant* plant = nullptr;
    if (design.Plants().Load(key, m_host, &plant) != 0) {
        m_host.ShowMessage("植物:" + text::ToDisplayText(key.PlantName) + "[" +
                           text::ToDisplayText(render::FileNameOf(key.PlantFile)) +
                           "]不存在，無法載入！");
        return SkipMissingModel("END_PLANT");
    }
    const auto fail = [&] {
        design.Plants().Remove(plant);
        return false;
    };
    Vector3f position;
    double angle = 0.0;
    if (!(FindKey("Position") && ReadVector(position) && FindKey("FaceAngleXZ") &&
          ReadDouble(angle)))
        return fail();
    if (GetFileVersion() >= kFlagsVersion && !(FindKey("Reflect") && ReadInt(plant->Reflect)))
        return fail();
    const bool userKeys = GetFileVersion() >= kUserKeysVersion;
    double width = 0.0, depth = 0.0, height = 0.0;
    model::UserColour colour;
    if (userKeys && !(ReadUserSize(width, depth, height) && ReadUserColour(colour))) return fail();
    if (!FindKey("END_PLANT")) return fail();
    plant->SetPosition({position.x, position.y, position.z});
    plant->SetFaceAngleXZ(angle);
    if (userKeys) {
        plant->SetUserSize(width, depth, height);
        if (colour.IsSet()) plant->ApplyUserAlpha(colour);
    }
    StepProgress();
    return true;
}

bool CDesignFile::ReadPlants(model::CRoomDesign& design) {
    BeginProgress(kProgressText);
    std::int32_t count = 0;
    if (!ReadSectionCount("SECTION_PLANT", count)) return false;
    CountProgress(count);
    for (std::int32_t i = 0; i < count; ++i)
        if (!ReadPlant(design)) return false;
    if (!FindKey("END_SECTION")) return false;
    EndProgress();
    return true;
}

bool CDesignFile::WritePlants(const model::CRoomDesign& design) {
    const auto& items = design.Plants().Items();
    if (!WriteSectionStart("SECTION_PLANT", items.size())) return false;
    for (const auto& plant : items) {
        const model::PlantKey& key = plant->GetKey();
        const rm::Vector3 p = plant->GetPosition();
        if (!(WriteKey("BEGIN_PLANT") && WriteKey("PlantID") && WriteLong(key.PlantID) &&
              WriteKey("PlantTypeID") && WriteLong(key.PlantTypeID) && WriteKey("PlantName") &&
              WriteString(key.PlantName) && WriteKey("PlantFile") && WriteString(key.PlantFile) &&
              WriteKey("Position") && WriteVector(p.x, p.y, p.z) && WriteKey("FaceAngleXZ") &&
              WriteAngle(plant->GetFaceAngleXZ()) && WriteKey("Reflect") &&
              WriteLong(plant->Reflect)))
            return false;
        if (WritesUserKeys() &&
            !(WriteUserSize(plant->UserWidth, plant->UserDepth, plant->UserHeight) &&
              WriteUserColour(plant->UserColor)))
            return false;
        if (!WriteKey("END_PLANT")) return false;
    }
    return WriteKey("END_SECTION");
}

}  // namespace roamer::dsg
