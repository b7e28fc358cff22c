#pragma once

#include <cstdint>
#include <vector>

namespace roamer::gl {

// A texel is not drawn when its alpha is below half (colour-keyed texels get alpha 0).
inline bool IsHole(const std::uint8_t* texel) { return texel[3] < 128; }

// Gives every texel that is not drawn the colour of the drawn texels nearest to it; their alpha
// stays. `texels` holds width x height RGBA texels, rows one after the other.
void ColourHolesFromNeighbours(int width, int height, std::vector<std::uint8_t>& texels);

}  // namespace roamer::gl
