#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace roamer::nav {

// A navigation command: the Windows virtual-key code of the key that gives it interactively.
// The same codes are stored by name in browse-path files.
using NavCommand = std::int32_t;

inline constexpr NavCommand CPS_SHIFT_PRESSED = 16;
inline constexpr NavCommand CPS_TIME_STAMP = 32;
inline constexpr NavCommand CPS_LOOK_UP = 33;
inline constexpr NavCommand CPS_LOOK_DOWN = 34;
inline constexpr NavCommand CPS_MOVE_DOWN = 35;
inline constexpr NavCommand CPS_MOVE_UP = 36;
inline constexpr NavCommand CPS_TURN_LEFT = 37;
inline constexpr NavCommand CPS_GO_FRONT = 38;
inline constexpr NavCommand CPS_TURN_RIGHT = 39;
inline constexpr NavCommand CPS_GO_BACK = 40;
inline constexpr NavCommand CPS_SHIFT_LEFT = 188;
inline constexpr NavCommand CPS_SHIFT_RIGHT = 190;

// The name of a code; "CPS_RESERVE" for every code without a name of its own.
std::string_view CommandName(NavCommand code);
// The code of a name (exact, case-sensitive); every other name gives the time stamp.
NavCommand CommandCode(std::string_view name);
// The command that undoes `code`; the time stamp for codes without a name.
NavCommand ReverseCommand(NavCommand code);

}  // namespace roamer::nav
