// The light section.
#include "dsg/design_file.h"

namespace roamer::dsg {
namespace {

constexpr const char* kProgressText = "讀取光源資料...";
constexpr double kFlagsVersion = 2.431;

bool HasDirection(std::int32_t type) { return type == 2 || type == 3 || type == 4; }
constexpr std::int32_t kSpot = 2;

}  // namespace

bool CDesignFile::ReadLight(model::CRoomDesign& design) {
    std::int32_t type = 0, color = 0;
    if (!(FindKey("BEGIN_LIGHT") && FindKey("LightType") && ReadInt(type) && FindKey("Color") &&
          ReadInt(color)))
        return false;
    render::CLight* light =
        design.Lights().AddLight(design.RoomFrame(), type, static_cast<rm::Color>(color));
    const auto fail = [&] {
        design.RemoveLight(light);
        return false;
    };
    Vector3f position;
    if (!(FindKey("Position") && ReadVector(position))) return fail();
    light->SetPosition(position.x, position.y, position.z);
    if (HasDirection(type)) {
        double angle = 0.0;
        if (!(FindKey("AngleXZ") && ReadDouble(angle))) return fail();
        light->SetAngleXZ(angle);
        if (!(FindKey("AngleYZ") && ReadDouble(angle))) return fail();
        light->SetAngleYZ(angle);
    }
    if (type == kSpot) {
        float cone = 0.0f;
        if (!(FindKey("Umbra") && ReadFloat(cone))) return fail();
        light->SetUmbra(cone);
        if (!(FindKey("Penumbra") && ReadFloat(cone))) return fail();
        light->SetPenumbra(cone);
    }
    std::int32_t reflect = 0;
    if (GetFileVersion() >= kFlagsVersion && !(FindKey("Reflect") && ReadInt(reflect)))
        return fail();
    if (!FindKey("END_LIGHT")) return fail();
    design.SetLightReflect(light, reflect);
    return true;
}

bool CDesignFile::ReadLights(model::CRoomDesign& design) {
    BeginProgress(kProgressText);
    std::int32_t count = 0;
    if (!ReadSectionCount("SECTION_LIGHT", count)) return false;
    CountProgress(count);
    for (std::int32_t i = 0; i < count; ++i) {
        if (!ReadLight(design)) return false;
        StepProgress();
    }
    if (!FindKey("END_SECTION")) return false;
    EndProgress();
    return true;
}

bool CDesignFile::WriteLights(const model::CRoomDesign& design) {
    const render::CLightList& lights = design.Lights();
    if (!WriteSectionStart("SECTION_LIGHT", static_cast<std::size_t>(lights.Count())))
        return false;
    for (int i = 0; i < lights.Count(); ++i) {
        const render::CLight& light = *lights.GetAt(i);
        const std::int32_t type = light.GetLightType();
        const rm::Vector3 p = light.GetPosition();
        if (!(WriteKey("BEGIN_LIGHT") && WriteKey("LightType") && WriteLong(type) &&
              WriteKey("Color") && WriteLong(static_cast<std::int32_t>(light.GetColor())) &&
              WriteKey("Position") && WriteVector(p.x, p.y, p.z)))
            return false;
        if (HasDirection(type) &&
            !(WriteKey("AngleXZ") && WriteAngle(light.GetAngleXZ()) && WriteKey("AngleYZ") &&
              WriteAngle(light.GetAngleYZ())))
            return false;
        if (type == kSpot && !(WriteKey("Umbra") && WriteFloat(light.GetUmbra()) &&
                               WriteKey("Penumbra") && WriteFloat(light.GetPenumbra())))
            return false;
        if (!(WriteKey("Reflect") && WriteLong(design.GetLightReflect(&light)) &&
              WriteKey("END_LIGHT")))
            return false;
    }
    return WriteKey("END_SECTION");
}

}  // namespace roamer::dsg
