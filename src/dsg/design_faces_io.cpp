// Face object records and the lists that hold them.
#include "dsg/design_file.h"

namespace roamer::dsg {
namespace {

std::vector<rm::Vector3> ToVertices(const std::vector<Vector3f>& list) {
    std::vector<rm::Vector3> out;
    out.reserve(list.size());
    for (const Vector3f& v : list) out.push_back({v.x, v.y, v.z});
    return out;
}

std::vector<Vector3f> FromVertices(const std::vector<rm::Vector3>& list) {
    std::vector<Vector3f> out;
    out.reserve(list.size());
    for (const rm::Vector3& v : list) out.push_back({v.x, v.y, v.z});
    return out;
}

rm::Vector3 ToVector(const Vector3f& v) { return {v.x, v.y, v.z}; }
Vector3f FromVector(const rm::Vector3& v) { return {v.x, v.y, v.z}; }

}  // namespace

std::unique_ptr<model::CFaceObj> CDesignFile::ReadFaceObj(rm::RetainedMode& d3drm, int depth) {
    if (depth > kMaxFaceDepth) return nullptr;
    std::int32_t type = 0;
    if (!(FindKey("BEGIN_FACEOBJ") && FindKey("Type") && ReadInt(type))) return nullptr;
    auto face = std::make_unique<model::CFaceObj>(d3drm, type);
    if (type == model::CFaceObj::kGroup || type == model::CFaceObj::kPolygon) {
        std::vector<Vector3f> vertices;
        std::int32_t isRefine = 0;
        float refineScale = 0.0f;
        Vector3f yNormal, zNormal;
        if (!(FindKey("VectorList") && ReadVectorList(vertices) && FindKey("IsRefine") &&
              ReadInt(isRefine) && FindKey("RefineScale") && ReadFloat(refineScale) &&
              FindKey("YNormal") && ReadVector(yNormal) && FindKey("ZNormal") &&
              ReadVector(zNormal)))
            return nullptr;
        face->SetVertices(ToVertices(vertices));
        face->SetIsRefine(isRefine);
        face->SetRefineScale(refineScale);
        face->SetYNormal(ToVector(yNormal));
        face->SetZNormal(ToVector(zNormal));
    }
    if (type == model::CFaceObj::kGroup) {
        Vector3f origin;
        float offsetU = 0, offsetV = 0, scaleU = 0, scaleV = 0;
        std::int32_t color = 0;
        model::TextureKey key;
        if (!(FindKey("Origin") && ReadVector(origin) && FindKey("OffsetU") &&
              ReadFloat(offsetU) && FindKey("OffsetV") && ReadFloat(offsetV) &&
              FindKey("ScaleU") && ReadFloat(scaleU) && FindKey("ScaleV") && ReadFloat(scaleV) &&
              FindKey("Color") && ReadInt(color) && FindKey("TextureID") &&
              ReadInt(key.TextureID) && FindKey("TextureTypeID") && ReadInt(key.TextureTypeID) &&
              FindKey("VenderID") && ReadInt(key.VenderID) && FindKey("TextureName") &&
              ReadString(key.TextureName) && FindKey("TextureFile") &&
              ReadString(key.TextureFile)))
            return nullptr;
        face->SetColor(static_cast<rm::Color>(color));
        face->SetTextureKey(std::move(key));
        std::int32_t count = 0;
        if (!(FindKey("SubFaceList") && FindKey("BEGIN_SUBFACELIST") && FindKey("Count") &&
              ReadInt(count)))
            return nullptr;
        for (std::int32_t i = 0; i < count; ++i) {
            auto sub = ReadFaceObj(d3drm, depth + 1);
            if (!sub) return nullptr;
            face->AddSubFace(std::move(sub));
        }
        if (!FindKey("END_SUBFACELIST")) return nullptr;
        // The mapping reaches the polygons only once they are there.
        face->SetOrigin(ToVector(origin));
        face->SetOffset(offsetU, offsetV);
        face->SetScale(scaleU, scaleV);
    }
    if (!FindKey("END_FACEOBJ")) return nullptr;
    return face;
}

bool CDesignFile::ReadFaceList(std::string_view listKey, std::string_view beginKey,
                               std::string_view endKey, rm::RetainedMode& d3drm,
                               std::vector<std::unique_ptr<model::CFaceObj>>& faces) {
    std::int32_t count = 0;
    if (!(FindKey(listKey) && FindKey(beginKey) && FindKey("Count") && ReadInt(count)))
        return false;
    for (std::int32_t i = 0; i < count; ++i) {
        auto face = ReadFaceObj(d3drm, 1);
        if (!face) return false;
        faces.push_back(std::move(face));
    }
    return FindKey(endKey);
}

bool CDesignFile::WriteFaceObj(const model::CFaceObj& face) {
    const std::int32_t type = face.GetType();
    if (!(WriteKey("BEGIN_FACEOBJ") && WriteKey("Type") && WriteLong(type))) return false;
    if (type == model::CFaceObj::kGroup || type == model::CFaceObj::kPolygon) {
        if (!(WriteKey("VectorList") && WriteVectorList(FromVertices(face.GetVertices())) &&
              WriteKey("IsRefine") && WriteLong(face.GetIsRefine()) && WriteKey("RefineScale") &&
              WriteFloat(face.GetRefineScale()) && WriteKey("YNormal") &&
              WriteVector(FromVector(face.GetYNormal())) && WriteKey("ZNormal") &&
              WriteVector(FromVector(face.GetZNormal()))))
            return false;
    }
    if (type == model::CFaceObj::kGroup) {
        const model::TextureKey& key = face.GetTextureKey();
        if (!(WriteKey("Origin") && WriteVector(FromVector(face.GetOrigin())) &&
              WriteKey("OffsetU") && WriteFloat(face.GetOffsetU()) && WriteKey("OffsetV") &&
              WriteFloat(face.GetOffsetV()) && WriteKey("ScaleU") &&
              WriteFloat(face.GetScaleU()) && WriteKey("ScaleV") &&
              WriteFloat(face.GetScaleV()) && WriteKey("Color") &&
              WriteLong(static_cast<std::int32_t>(face.GetColor())) && WriteKey("TextureID") &&
              WriteLong(key.TextureID) && WriteKey("TextureTypeID") &&
              WriteLong(key.TextureTypeID) && WriteKey("VenderID") && WriteLong(key.VenderID) &&
              WriteKey("TextureName") && WriteString(key.TextureName) &&
              WriteKey("TextureFile") && WriteString(key.TextureFile)))
            return false;
        if (!WriteFaceList("SubFaceList", "BEGIN_SUBFACELIST", "END_SUBFACELIST",
                           face.SubFaces()))
            return false;
    }
    return WriteKey("END_FACEOBJ");
}

bool CDesignFile::WriteFaceList(std::string_view listKey, std::string_view beginKey,
                                std::string_view endKey,
                                const std::vector<std::unique_ptr<model::CFaceObj>>& faces) {
    if (!(WriteKey(listKey) && WriteKey(beginKey) && WriteKey("Count") &&
          WriteLong(static_cast<std::int32_t>(faces.size()))))
        return false;
    for (const auto& face : faces)
        if (!WriteFaceObj(*face)) return false;
    return WriteKey(endKey);
}

}  // namespace roamer::dsg
