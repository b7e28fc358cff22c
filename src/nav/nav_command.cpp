#include "nav/nav_command.h"

#include <array>

namespace roamer::nav {
namespace {

struct CommandEntry {
    std::string_view name;
    NavCommand code;
    NavCommand opposite;
};

// In the order in which names are looked up.
constexpr std::array<CommandEntry, 12> kCommands{{
    {"CPS_SHIFT_PRESSED", CPS_SHIFT_PRESSED, CPS_SHIFT_PRESSED},
    {"CPS_GO_FRONT", CPS_GO_FRONT, CPS_GO_BACK},
    {"CPS_GO_BACK", CPS_GO_BACK, CPS_GO_FRONT},
    {"CPS_TURN_LEFT", CPS_TURN_LEFT, CPS_TURN_RIGHT},
    {"CPS_TURN_RIGHT", CPS_TURN_RIGHT, CPS_TURN_LEFT},
    {"CPS_LOOK_UP", CPS_LOOK_UP, CPS_LOOK_DOWN},
    {"CPS_LOOK_DOWN", CPS_LOOK_DOWN, CPS_LOOK_UP},
    {"CPS_MOVE_DOWN", CPS_MOVE_DOWN, CPS_MOVE_UP},
    {"CPS_MOVE_UP", CPS_MOVE_UP, CPS_MOVE_DOWN},
    {"CPS_SHIFT_LEFT", CPS_SHIFT_LEFT, CPS_SHIFT_RIGHT},
    {"CPS_SHIFT_RIGHT", CPS_SHIFT_RIGHT, CPS_SHIFT_LEFT},
    {"CPS_TIME_STAMP", CPS_TIME_STAMP, CPS_TIME_STAMP},
}};

const CommandEntry* FindByCode(NavCommand code) {
    for (const CommandEntry& entry : kCommands)
        if (entry.code == code) return &entry;
    return nullptr;
}

}  // namespace

std::string_view CommandName(NavCommand code) {
    const CommandEntry* entry = FindByCode(code);
    return entry ? entry->name : std::string_view("CPS_RESERVE");
}

NavCommand CommandCode(std::string_view name) {
    for (const CommandEntry& entry : kCommands)
        if (entry.name == name) return entry.code;
    return CPS_TIME_STAMP;
}

NavCommand ReverseCommand(NavCommand code) {
    const CommandEntry* entry = FindByCode(code);
    return entry ? entry->opposite : CPS_TIME_STAMP;
}

}  // namespace roamer::nav
