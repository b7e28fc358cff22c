#pragma once

#include "app/design_view.h"

namespace roamer::app {

// The view a fraction `s` (0..1) of the way from `from` to `to`: the eye on the straight line,
// the heading turning the shorter way round, the pitch in proportion.
ViewerState GlideBetween(const ViewerState& from, const ViewerState& to, double s);

bool SameView(const ViewerState& a, const ViewerState& b);

}  // namespace roamer::app
