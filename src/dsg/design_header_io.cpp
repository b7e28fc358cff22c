// The magic line and the header section.
#include <cmath>
#include <limits>

#include "dsg/design_file.h"

namespace roamer::dsg {
namespace {

// "<室內設計系統檔案>" in code page 950, as the files hold it.
constexpr std::string_view kMagic =
    "<\xAB\xC7\xA4\xBA\xB3\x5D\xAD\x70\xA8\x74\xB2\xCE\xC0\xC9\xAE\xD7>";
constexpr const char* kTooOld = "存檔版本太舊無法載入！";
constexpr const char* kProgressText = "讀取檔案表頭...";

constexpr double kOldestVersion = 2.3;
// Before 2.4 plan coordinates were stored at half scale.
constexpr double kFullScaleVersion = 2.4;
constexpr double kMoveUnitsVersion = 2.412;

// The whole part of a plan size, as the designer's integer conversion makes it; values beyond
// the integer range are held at its limits.
std::int32_t WholePart(double value) {
    if (!(value == value)) return 0;
    const double t = std::trunc(value);
    if (t >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (t <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(t);
}

std::int32_t Doubled(std::int32_t value) {
    const std::int64_t d = 2 * static_cast<std::int64_t>(value);
    return WholePart(static_cast<double>(d));
}

}  // namespace

bool CDesignFile::ReadHeader(CDesignHeader& header) {
    const bool shown = m_progress && m_progress->HasWindow();
    if (shown) {
        m_progress->SetMessage(kProgressText);
        m_progress->SetPos(0);
    }
    std::string token;
    if (!ReadFirstToken(token) || token != kMagic) return false;
    double version = 0.0;
    if (!FindKey("SECTION_HEADER") || !FindKey("Version") || !ReadDouble(version)) return false;
    SetFileVersion(version);
    if (version < kOldestVersion) {
        m_host.ShowMessage(kTooOld);
        return false;
    }
    CDesignHeader h;
    if (version >= kMoveUnitsVersion) {
        if (!(FindKey("Min_Furniture_Move_Horizontal_Unit") &&
              ReadDouble(h.MinFurnitureMoveHorizontalUnit) &&
              FindKey("Min_Furniture_Move_Height_Unit") && ReadDouble(h.MinFurnitureMoveHeightUnit) &&
              FindKey("Min_Plant_Move_Horizontal_Unit") && ReadDouble(h.MinPlantMoveHorizontalUnit) &&
              FindKey("Min_Plant_Move_Height_Unit") && ReadDouble(h.MinPlantMoveHeightUnit) &&
              FindKey("Min_Light_Move_Horizontal_Unit") && ReadDouble(h.MinLightMoveHorizontalUnit) &&
              FindKey("Min_Light_Move_Height_Unit") && ReadDouble(h.MinLightMoveHeightUnit)))
            return false;
    }
    if (shown) m_progress->SetPos(30);
    const bool halfScale = version < kFullScaleVersion;
    if (!(FindKey("3DtoMeter") && ReadDouble(h.ThreeDtoMeter) && FindKey("2DtoMeter") &&
          ReadDouble(h.TwoDtoMeter)))
        return false;
    if (halfScale) h.TwoDtoMeter /= 2.0;
    if (!(FindKey("ZoomRate") && ReadDouble(h.ZoomRate))) return false;
    if (halfScale) h.ZoomRate /= 2.0;
    if (!(FindKey("Top") && ReadDouble(h.Top) && FindKey("Bottom") && ReadDouble(h.Bottom) &&
          FindKey("Grid") && ReadDouble(h.Grid) && FindKey("ScrollPos") &&
          ReadIntPair(h.ScrollPos[0], h.ScrollPos[1])))
        return false;
    if (halfScale) {
        h.ScrollPos[0] = Doubled(h.ScrollPos[0]);
        h.ScrollPos[1] = Doubled(h.ScrollPos[1]);
    }
    if (shown) m_progress->SetPos(50);
    if (!(FindKey("ScrollSize") && ReadIntPair(h.ScrollSize[0], h.ScrollSize[1]) &&
          FindKey("MaxSize") && ReadIntPair(h.MaxSize[0], h.MaxSize[1]) &&
          FindKey("2DShowRule") && ReadInt(h.ShowRule2D)))
        return false;
    if (halfScale) {
        for (int i = 0; i < 2; ++i) {
            h.MaxSize[i] = Doubled(h.MaxSize[i]);
            const double scroll = static_cast<double>(h.MaxSize[i]) * h.ZoomRate;
            h.ScrollSize[i] = WholePart(WholePart(scroll) + (h.ShowRule2D != 0 ? 20.0 : 0.0));
        }
    }
    if (shown) m_progress->SetPos(70);
    std::int32_t ambient = 0;
    if (!(FindKey("FaceAngleXZ") && ReadDouble(h.FaceAngleXZ) && FindKey("FaceAngleYZ") &&
          ReadDouble(h.FaceAngleYZ) && FindKey("Position") && ReadVector(h.Position) &&
          FindKey("AmbientLight") && ReadInt(ambient) && FindKey("2DShowState") &&
          ReadInt(h.ShowState2D) && FindKey("3DShowState") && ReadInt(h.ShowState3D) &&
          FindKey("END_SECTION")))
        return false;
    h.AmbientLight = static_cast<std::uint32_t>(ambient);
    h.Ratio3Dto2D = h.ThreeDtoMeter / h.TwoDtoMeter;
    header = h;
    if (shown) m_progress->SetPos(100);
    return true;
}

bool CDesignFile::WriteHeader(const CDesignHeader& h) {
    return WriteKey(kMagic) && WriteKey("SECTION_HEADER") && WriteKey("Version") &&
           WriteDouble(GetFileVersion()) &&
           WriteKey("Min_Furniture_Move_Horizontal_Unit") &&
           WriteDouble(h.MinFurnitureMoveHorizontalUnit) &&
           WriteKey("Min_Furniture_Move_Height_Unit") && WriteDouble(h.MinFurnitureMoveHeightUnit) &&
           WriteKey("Min_Plant_Move_Horizontal_Unit") && WriteDouble(h.MinPlantMoveHorizontalUnit) &&
           WriteKey("Min_Plant_Move_Height_Unit") && WriteDouble(h.MinPlantMoveHeightUnit) &&
           WriteKey("Min_Light_Move_Horizontal_Unit") && WriteDouble(h.MinLightMoveHorizontalUnit) &&
           WriteKey("Min_Light_Move_Height_Unit") && WriteDouble(h.MinLightMoveHeightUnit) &&
           WriteKey("3DtoMeter") && WriteDouble(h.ThreeDtoMeter) && WriteKey("2DtoMeter") &&
           WriteDouble(h.TwoDtoMeter) && WriteKey("ZoomRate") && WriteDouble(h.ZoomRate) &&
           WriteKey("Top") && WriteDouble(h.Top) && WriteKey("Bottom") && WriteDouble(h.Bottom) &&
           WriteKey("Grid") && WriteDouble(h.Grid) && WriteKey("ScrollPos") &&
           WriteLongPair(h.ScrollPos[0], h.ScrollPos[1]) && WriteKey("ScrollSize") &&
           WriteLongPair(h.ScrollSize[0], h.ScrollSize[1]) && WriteKey("MaxSize") &&
           WriteLongPair(h.MaxSize[0], h.MaxSize[1]) && WriteKey("2DShowRule") &&
           WriteLong(h.ShowRule2D) && WriteKey("FaceAngleXZ") && WriteAngle(h.FaceAngleXZ) &&
           WriteKey("FaceAngleYZ") && WriteAngle(h.FaceAngleYZ) && WriteKey("Position") &&
           WriteVector(h.Position) && WriteKey("AmbientLight") &&
           WriteLong(static_cast<std::int32_t>(h.AmbientLight)) && WriteKey("2DShowState") &&
           WriteLong(h.ShowState2D) && WriteKey("3DShowState") && WriteLong(h.ShowState3D) &&
           WriteKey("END_SECTION");
}

}  // namespace roamer::dsg
