#pragma once

#include "model/room_design.h"

namespace roamer::app {

// The light a ShadowLightIndex names: counted from 1 in light-list order; null for 0, a
// negative index or one past the end.
const render::CLight* LightAtIndex(const render::CLightList& lights, int index);
// The 1-based place of `light` in the list; 0 when it is not there.
int IndexOfLight(const render::CLightList& lights, const render::CLight* light);

// Furniture and walls whose Shadow is 1 cast a shadow from their light onto the plane y = 1;
// furniture in the door openings of a shadow-casting wall casts one from the wall's light (its
// Shadow becomes 1). An object whose index finds no light casts none.
void MakeShadows(model::CRoomDesign& design);
// Takes every shadow out of the scene and clears the Shadow values; the design is about to go.
void RemoveShadows(model::CRoomDesign& design);
// Before saving: each shadow names its light by index again. Objects without a shown shadow
// keep the index they were read with.
void UpdateShadowLightIndices(model::CRoomDesign& design);

}  // namespace roamer::app
