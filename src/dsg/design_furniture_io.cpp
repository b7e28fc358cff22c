// The furniture section.
#include "dsg/design_file.h"
#include "platform/text/cp950.h"

namespace roamer::dsg {
namespace {

constexpr const char* kProgressText = "讀取傢俱資料...";
constexpr double kSerialVersion = 2.31;
constexpr double kFlagsVersion = 2.431;

}  // namespace

bool CDesignFile::ReadFurnitureRecord(model::CRoomDesign& design) {
    model::FurnitureKey key;
    if (!(FindKey("BEGIN_FURNITURE") && FindKey("FurnitureID") && ReadInt(key.FurnitureID) &&
          FindKey("FurnitureTypeID") && ReadInt(key.FurnitureTypeID) && FindKey("VenderID") &&
          ReadInt(key.VenderID) && FindKey("FurnitureName") && ReadString(key.FurnitureName) &&
          FindKey("FurnitureFile") && ReadString(key.FurnitureFile)))
        return false;
    if (GetFileVersion() >= kSerialVersion && !(FindKey("SerialNo") && ReadString(key.SerialNo)))
        return false;
    model::CFurniture* piece = nullptr;
    if (rm::Failed(design.Furniture().Load(key, &piece))) {
        m_host.ShowMessage("傢俱:" + text::ToDisplayText(key.FurnitureName) + "不存在，無法載入！");
        return SkipMissingModel("END_FURNITURE");
    }
    // From here a failure takes the piece out of the list again.
    const auto fail = [&] {
        design.Furniture().Remove(piece);
        return false;
    };
    Vector3f position;
    double angleXZ = 0.0, angleYZ = 0.0;
    if (!(FindKey("Position") && ReadVector(position))) return fail();
    if (GetFileVersion() < kSerialVersion) {
        if (!(FindKey("FaceAngleXZ") && ReadDouble(angleXZ))) return fail();
    } else if (!(FindKey("AngleXZ") && ReadDouble(angleXZ) && FindKey("AngleYZ") &&
                 ReadDouble(angleYZ))) {
        return fail();
    }
    if (GetFileVersion() >= kFlagsVersion &&
        !(FindKey("Reflect") && ReadInt(piece->Reflect) && FindKey("Shadow") &&
          ReadInt(piece->Shadow) && FindKey("ShadowLightIndex") &&
          ReadInt(piece->ShadowLightIndex)))
        return fail();
    const bool userKeys = GetFileVersion() >= kUserKeysVersion;
    double width = 0.0, depth = 0.0, height = 0.0;
    model::UserColour colour;
    if (userKeys && !(ReadUserSize(width, depth, height) && ReadUserColour(colour))) return fail();
    if (!FindKey("END_FURNITURE")) return fail();
    piece->SetPosition({position.x, position.y, position.z});
    piece->SetAngleXZ(angleXZ);
    piece->SetAngleYZ(angleYZ);
    if (userKeys) {
        piece->SetUserSize(width, depth, height);
        if (colour.IsSet()) piece->ApplyUserColour(colour);
    }
    StepProgress();
    return true;
}

bool CDesignFile::ReadFurniture(model::CRoomDesign& design) {
    BeginProgress(kProgressText);
    std::int32_t count = 0;
    if (!ReadSectionCount("SECTION_FURNITURE", count)) return false;
    CountProgress(count);
    for (std::int32_t i = 0; i < count; ++i)
        if (!ReadFurnitureRecord(design)) return false;
    if (!FindKey("END_SECTION")) return false;
    EndProgress();
    return true;
}

bool CDesignFile::WriteFurniture(const model::CRoomDesign& design) {
    const auto& items = design.Furniture().Items();
    if (!WriteSectionStart("SECTION_FURNITURE", items.size())) return false;
    for (const auto& piece : items) {
        const model::FurnitureKey& key = piece->GetKey();
        const rm::Vector3 p = piece->GetPosition();
        if (!(WriteKey("BEGIN_FURNITURE") && WriteKey("FurnitureID") &&
              WriteLong(key.FurnitureID) && WriteKey("FurnitureTypeID") &&
              WriteLong(key.FurnitureTypeID) && WriteKey("VenderID") && WriteLong(key.VenderID) &&
              WriteKey("FurnitureName") && WriteString(key.FurnitureName) &&
              WriteKey("FurnitureFile") && WriteString(key.FurnitureFile) &&
              WriteKey("SerialNo") && WriteString(key.SerialNo) && WriteKey("Position") &&
              WriteVector(p.x, p.y, p.z) && WriteKey("AngleXZ") &&
              WriteAngle(piece->GetAngleXZ()) && WriteKey("AngleYZ") &&
              WriteAngle(piece->GetAngleYZ()) && WriteKey("Reflect") && WriteLong(piece->Reflect) &&
              WriteKey("Shadow") && WriteLong(piece->Shadow) && WriteKey("ShadowLightIndex") &&
              WriteLong(piece->ShadowLightIndex)))
            return false;
        if (WritesUserKeys() &&
            !(WriteUserSize(piece->UserWidth, piece->UserDepth, piece->UserHeight) &&
              WriteUserColour(piece->UserColor)))
            return false;
        if (!WriteKey("END_FURNITURE")) return false;
    }
    return WriteKey("END_SECTION");
}

}  // namespace roamer::dsg
