#pragma once

#include "model/room_design.h"
#include "platform/host.h"

namespace roamer::app {

// Gives every object of the design whose Reflect is 1 a mirror twin below the floor plane
// y = 0 (furniture, plants, lights, walls, ceilings, in that order), and furniture standing in
// the door openings of a reflecting wall a twin of its own (its Reflect becomes 1, so a later
// save keeps it). A twin that cannot be made is reported and loading goes on.
void MakeReflections(model::CRoomDesign& design, Host& host);
// Takes every twin out of the scene and clears the Reflect values; the design is about to go.
void RemoveReflections(model::CRoomDesign& design);
// Moves and turns a piece's twin to match the piece, when it has one.
void FollowTwin(model::CFurniture& piece);

}  // namespace roamer::app
