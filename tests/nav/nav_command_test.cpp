#include "nav/nav_command.h"

#include <gtest/gtest.h>

namespace roamer::nav {
namespace {

constexpr NavCommand kNamed[] = {16, 32, 33, 34, 35, 36, 37, 38, 39, 40, 188, 190};

TEST(NavCommand, NamesAndCodesConvertBothWays) {
    for (NavCommand code : kNamed) EXPECT_EQ(CommandCode(CommandName(code)), code) << code;
    EXPECT_EQ(CommandName(38), "CPS_GO_FRONT");
    EXPECT_EQ(CommandName(190), "CPS_SHIFT_RIGHT");
    // Enter has no name: recorded as reserved, replayed as a time stamp.
    EXPECT_EQ(CommandName(13), "CPS_RESERVE");
    EXPECT_EQ(CommandCode("CPS_RESERVE"), CPS_TIME_STAMP);
    EXPECT_EQ(CommandCode("cps_go_front"), CPS_TIME_STAMP);
    EXPECT_EQ(CommandCode(""), CPS_TIME_STAMP);
}

TEST(NavCommand, ReverseUndoesEveryCommand) {
    EXPECT_EQ(ReverseCommand(CPS_GO_FRONT), CPS_GO_BACK);
    EXPECT_EQ(ReverseCommand(CPS_TURN_LEFT), CPS_TURN_RIGHT);
    EXPECT_EQ(ReverseCommand(CPS_LOOK_UP), CPS_LOOK_DOWN);
    EXPECT_EQ(ReverseCommand(CPS_MOVE_DOWN), CPS_MOVE_UP);
    EXPECT_EQ(ReverseCommand(CPS_SHIFT_LEFT), CPS_SHIFT_RIGHT);
    EXPECT_EQ(ReverseCommand(CPS_SHIFT_PRESSED), CPS_SHIFT_PRESSED);
    EXPECT_EQ(ReverseCommand(CPS_TIME_STAMP), CPS_TIME_STAMP);
    for (NavCommand code : kNamed) EXPECT_EQ(ReverseCommand(ReverseCommand(code)), code);
    EXPECT_EQ(ReverseCommand(13), CPS_TIME_STAMP);
    EXPECT_EQ(ReverseCommand(-1), CPS_TIME_STAMP);
}

}  // namespace
}  // namespace roamer::nav
