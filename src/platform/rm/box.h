#pragma once

#include "platform/rm/vector.h"

namespace roamer::rm {

struct Box {
    Vector3 min;
    Vector3 max;
};

}  // namespace roamer::rm
