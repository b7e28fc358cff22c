#pragma once

#include <cstdint>

#include "dsg/tagged_text_file.h"

namespace roamer::dsg {

// The header section of a design: the designer's plan view settings, which the player only
// keeps, and the view and ambient light the design opens with.
struct CDesignHeader {
    double MinFurnitureMoveHorizontalUnit = 1.0;
    double MinFurnitureMoveHeightUnit = 1.0;
    double MinPlantMoveHorizontalUnit = 1.0;
    double MinPlantMoveHeightUnit = 1.0;
    double MinLightMoveHorizontalUnit = 1.0;
    double MinLightMoveHeightUnit = 1.0;
    // 3DtoMeter ÷ 2DtoMeter, worked out after reading.
    double Ratio3Dto2D = 0.0;
    double ThreeDtoMeter = 0.02;
    double TwoDtoMeter = 0.01;
    double ZoomRate = 1.0;
    double Top = 260.0;
    double Bottom = 0.0;
    double Grid = 2.0;
    std::int32_t ScrollPos[2] = {0, 0};
    std::int32_t ScrollSize[2] = {100, 100};
    std::int32_t MaxSize[2] = {100, 100};
    std::int32_t ShowRule2D = 1;
    double FaceAngleXZ = 0.0;
    double FaceAngleYZ = 0.0;
    Vector3f Position;
    std::uint32_t AmbientLight = 0x808080u;
    std::int32_t ShowState2D = 0;
    std::int32_t ShowState3D = 0;
};

// The header a save writes: the fixed plan settings with the current view, ambient colour and
// the show states kept from the load. The loaded file's plan settings are not written back.
CDesignHeader HeaderForSaving(double faceAngleXZ, double faceAngleYZ, Vector3f position,
                              std::uint32_t ambientLight, std::int32_t showState2D,
                              std::int32_t showState3D);

}  // namespace roamer::dsg
