#pragma once

#include <cstdint>

namespace roamer::gui {

// The Windows virtual-key code the navigator takes for a Qt key (Qt::Key); 0 for a key that
// has no such code.
std::int32_t VirtualKeyOf(int qtKey);

}  // namespace roamer::gui
