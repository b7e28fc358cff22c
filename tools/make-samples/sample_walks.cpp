#include "make-samples/sample_walks.h"

namespace roamer::samples {
namespace {

using namespace roamer::nav;

// Appends `count` repetitions of a command, as holding a key down records them.
void Repeat(BrowsePath& path, NavCommand code, int count) {
    for (int i = 0; i < count; ++i) path.AddName(CommandName(code));
}

void Pause(BrowsePath& path) { path.AddName(CommandName(CPS_TIME_STAMP)); }

// A quarter turn is 16 turn steps of pi/32.
constexpr int kQuarterTurn = 16;

BrowsePath LivingRoomWalk() {
    BrowsePath path;
    path.SetHeadPosition({{0.0f, 160.0f, -250.0f}, 0.0, 0.0});
    Pause(path);
    Repeat(path, CPS_GO_FRONT, 12);
    Repeat(path, CPS_TURN_LEFT, kQuarterTurn / 2);
    Pause(path);
    Repeat(path, CPS_LOOK_DOWN, 4);
    Repeat(path, CPS_LOOK_UP, 4);
    Repeat(path, CPS_TURN_RIGHT, kQuarterTurn);
    Repeat(path, CPS_SHIFT_RIGHT, 6);
    Pause(path);
    Repeat(path, CPS_GO_FRONT, 8);
    Repeat(path, CPS_LOOK_UP, 6);
    Pause(path);
    Repeat(path, CPS_LOOK_DOWN, 6);
    path.SetTailPosition({{60.0f, 160.0f, -50.0f}, 5.497787, 0.0});
    return path;
}

BrowsePath BedroomWalk() {
    BrowsePath path;
    path.SetHeadPosition({{-120.0f, 150.0f, -200.0f}, 0.392699, -0.098175});
    Pause(path);
    Repeat(path, CPS_GO_FRONT, 10);
    Repeat(path, CPS_MOVE_DOWN, 5);
    Pause(path);
    Repeat(path, CPS_MOVE_UP, 5);
    Repeat(path, CPS_TURN_RIGHT, kQuarterTurn);
    Repeat(path, CPS_SHIFT_PRESSED, 1);  // fine steps to come close to the bed
    Repeat(path, CPS_GO_FRONT, 10);
    Repeat(path, CPS_SHIFT_PRESSED, 1);
    Pause(path);
    Repeat(path, CPS_GO_BACK, 6);
    path.SetTailPosition({{-40.0f, 150.0f, -110.0f}, 5.890486, -0.098175});
    return path;
}

BrowsePath ApartmentWalk() {
    BrowsePath path;
    path.SetHeadPosition({{-300.0f, 160.0f, 0.0f}, 4.712389, 0.0});
    Pause(path);
    Repeat(path, CPS_GO_FRONT, 20);  // through the door opening into the second room
    Pause(path);
    Repeat(path, CPS_TURN_LEFT, kQuarterTurn);
    Repeat(path, CPS_LOOK_DOWN, 3);
    Pause(path);
    Repeat(path, CPS_LOOK_UP, 3);
    Repeat(path, CPS_TURN_LEFT, kQuarterTurn);
    Repeat(path, CPS_SHIFT_LEFT, 4);
    Repeat(path, CPS_GO_FRONT, 12);
    Pause(path);
    path.SetTailPosition({{-140.0f, 160.0f, 120.0f}, 1.570796, 0.0});
    return path;
}

}  // namespace

std::vector<SampleWalk> MakeSampleWalks() {
    std::vector<SampleWalk> walks;
    walks.push_back({"客廳", LivingRoomWalk()});
    walks.push_back({"臥室", BedroomWalk()});
    walks.push_back({"兩房公寓", ApartmentWalk()});
    return walks;
}

}  // namespace roamer::samples
