#pragma once

#include <cstdint>

namespace roamer::app {

// The play sequencer's states. PS_LOADING is shown while a design is read; it is never stored.
enum PlayState : std::int32_t {
    PS_NONE = 0,
    PS_NOLIST = 1,
    PS_READY = 2,
    PS_PLAYING = 3,
    PS_PAUSED = 4,
    PS_LOADING = 10,
};

}  // namespace roamer::app
