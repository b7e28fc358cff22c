#include "platform/gl/hole_colours.h"

#include <cstddef>

namespace roamer::gl {

// Gives every texel that is not drawn the colour of the drawn texels nearest to it, ring by ring
// outwards from them (wrapping, as the texture repeats): each ring takes the mean colour of its
// coloured neighbours. Filtering mixes a hole's colour into the texels beside it, and mipmaps
// mix whole areas, so a plant keyed on black would otherwise get a dark rim.
void ColourHolesFromNeighbours(int width, int height, std::vector<std::uint8_t>& texels) {
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<std::uint8_t> coloured(count);
    for (std::size_t i = 0; i < count; ++i) coloured[i] = IsHole(&texels[i * 4]) ? 0 : 1;
    const auto neighbours = [&](std::size_t i, auto&& visit) {
        const int x = static_cast<int>(i % static_cast<std::size_t>(width));
        const int y = static_cast<int>(i / static_cast<std::size_t>(width));
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (dx == 0 && dy == 0) continue;
                const int nx = (x + dx + width) % width;
                const int ny = (y + dy + height) % height;
                visit(static_cast<std::size_t>(ny) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(nx));
            }
        }
    };
    // The first ring: holes beside a drawn texel. `queued` keeps a texel in one ring only.
    std::vector<std::uint8_t> queued(count);
    std::vector<std::size_t> ring;
    for (std::size_t i = 0; i < count; ++i) {
        if (coloured[i] != 0) continue;
        bool besideColour = false;
        neighbours(i, [&](std::size_t n) { besideColour = besideColour || coloured[n] != 0; });
        if (besideColour) {
            ring.push_back(i);
            queued[i] = 1;
        }
    }
    std::vector<std::size_t> next;
    while (!ring.empty()) {
        for (const std::size_t i : ring) {
            unsigned sum[3] = {0, 0, 0};
            unsigned found = 0;
            neighbours(i, [&](std::size_t n) {
                if (coloured[n] == 0) return;
                for (int c = 0; c < 3; ++c) sum[c] += texels[n * 4 + static_cast<std::size_t>(c)];
                ++found;
            });
            for (int c = 0; c < 3; ++c)
                texels[i * 4 + static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(sum[c] / found);
        }
        // A ring is coloured only once all of it is, so each texel averages the ring inside it.
        next.clear();
        for (const std::size_t i : ring) coloured[i] = 1;
        for (const std::size_t i : ring) {
            neighbours(i, [&](std::size_t n) {
                if (coloured[n] == 0 && queued[n] == 0) {
                    queued[n] = 1;
                    next.push_back(n);
                }
            });
        }
        ring.swap(next);
    }
}

}  // namespace roamer::gl
