#include "nav/navigator.h"

#include <cmath>

#include <gtest/gtest.h>

#include "nav/wall_collision.h"
#include "platform/recording_host.h"
#include "render/fake_surface.h"

namespace roamer::nav {
namespace {

class FakePlayer : public NavigatorHost {
public:
    bool WallCollisionOn() const override { return collision; }
    rm::Vector3 CollideMove(const rm::Vector3& from, const rm::Vector3& to) override {
        ++collisionTests;
        return nav::CollideMove(from, to, walls);
    }
    void StopPlayTimer() override { ++timerStops; }
    void PauseThenResume(int ms) override { pauses.push_back(ms); }
    int PauseIndex() const override { return 1; }
    bool EditMode() const override { return edit; }
    void ClearSelection() override { ++selectionClears; }

    bool collision = false;
    bool edit = false;
    std::vector<CollisionWall> walls;
    int timerStops = 0;
    int collisionTests = 0;
    int selectionClears = 0;
    std::vector<int> pauses;
};

class NavigatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(engine.Init(&surface, 64, 48, true), 0);
        navigator.SetPath(&path);
    }
    RecordingHost host;
    render::test::FakeSurface surface;
    render::RenderEngine engine{host, nullptr};
    FakePlayer player;
    BrowsePath path;
    Navigator navigator{engine, host, player};
};

TEST_F(NavigatorTest, SinkingStopsAtTheLowestEye) {
    navigator.SetViewerPosition({0.0f, 5.0f, 0.0f});
    navigator.ExecuteCommand(CPS_MOVE_DOWN);
    EXPECT_EQ(navigator.GetViewerPosition().y, 1.5f);
    navigator.SetViewerPosition({0.0f, 5.0f, 0.0f});
    navigator.KeyDown(CPS_SHIFT_PRESSED);
    navigator.KeyDown(CPS_MOVE_DOWN);
    EXPECT_EQ(navigator.GetViewerPosition().y, 3.0f);
    navigator.KeyDown(CPS_MOVE_UP);
    navigator.KeyUp(CPS_SHIFT_PRESSED);
    navigator.KeyDown(CPS_MOVE_UP);
    EXPECT_EQ(navigator.GetViewerPosition().y, 15.0f);  // no upper limit
}

TEST_F(NavigatorTest, PitchLimitAndHeadingWrap) {
    navigator.SetPitch(1.5);
    navigator.ExecuteCommand(CPS_LOOK_UP);
    EXPECT_EQ(navigator.pitch, 1.5);  // 1.598... is beyond the limit
    navigator.ExecuteCommand(CPS_LOOK_DOWN);
    EXPECT_NEAR(navigator.pitch, 1.5 - Navigator::kTurnStep, 1e-12);

    navigator.SetHeading(6.2);
    navigator.ExecuteCommand(CPS_TURN_LEFT);
    EXPECT_NEAR(navigator.heading, 6.29817476875 - 6.2831852, 1e-12);
    navigator.SetHeading(0.05);
    navigator.ExecuteCommand(CPS_TURN_RIGHT);
    EXPECT_NEAR(navigator.heading, 0.05 - 0.09817476875 + 6.2831852, 1e-12);

    // Heading 0 walks along +z; a quarter turn left walks along -x.
    navigator.SetHeading(0.0);
    navigator.SetViewerPosition({0.0f, 2.0f, 0.0f});
    navigator.ExecuteCommand(CPS_GO_FRONT);
    EXPECT_NEAR(navigator.GetViewerPosition().z, 10.0f, 1e-5f);
    navigator.SetHeading(std::acos(0.0));
    navigator.ExecuteCommand(CPS_GO_FRONT);
    EXPECT_NEAR(navigator.GetViewerPosition().x, -10.0f, 1e-4f);
    navigator.ExecuteCommand(CPS_SHIFT_RIGHT);  // right of -x is +z
    EXPECT_NEAR(navigator.GetViewerPosition().z, 20.0f, 1e-4f);
}

// Each move and turn from the same start, in its own direction, at normal and at fine steps.
TEST_F(NavigatorTest, EachCommandMovesOrTurnsItsOwnWay) {
    struct Case {
        NavCommand code;
        rm::Vector3 eye;  // after one normal step from (0, 20, 0) at heading 0
        double heading;
        double pitch;
    };
    const double s = Navigator::kTurnStep;
    const Case cases[] = {
        {CPS_GO_FRONT, {0.0f, 20.0f, 10.0f}, 0.0, 0.0},
        {CPS_GO_BACK, {0.0f, 20.0f, -10.0f}, 0.0, 0.0},
        {CPS_SHIFT_LEFT, {-10.0f, 20.0f, 0.0f}, 0.0, 0.0},
        {CPS_SHIFT_RIGHT, {10.0f, 20.0f, 0.0f}, 0.0, 0.0},
        {CPS_MOVE_UP, {0.0f, 30.0f, 0.0f}, 0.0, 0.0},
        {CPS_MOVE_DOWN, {0.0f, 10.0f, 0.0f}, 0.0, 0.0},
        {CPS_TURN_LEFT, {0.0f, 20.0f, 0.0f}, s, 0.0},
        {CPS_TURN_RIGHT, {0.0f, 20.0f, 0.0f}, 6.2831852 - s, 0.0},
        {CPS_LOOK_UP, {0.0f, 20.0f, 0.0f}, 0.0, s},
        {CPS_LOOK_DOWN, {0.0f, 20.0f, 0.0f}, 0.0, -s},
    };
    player.collision = true;  // no walls: only whether the test is asked for matters
    for (const bool fine : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(c.code) + (fine ? " fine" : ""));
            player.collisionTests = 0;
            navigator.SetViewerPosition({0.0f, 20.0f, 0.0f});
            navigator.SetHeading(0.0);
            navigator.SetPitch(0.0);
            if (fine) navigator.KeyDown(CPS_SHIFT_PRESSED);
            navigator.KeyDown(c.code);
            if (fine) navigator.KeyUp(CPS_SHIFT_PRESSED);
            // Shift makes moves a fifth and turns 0.1777... as long.
            const float k = fine ? 0.2f : 1.0f;
            const rm::Vector3 eye = navigator.GetViewerPosition();
            EXPECT_NEAR(eye.x, c.eye.x * k, 1e-4f);
            EXPECT_NEAR(eye.y, 20.0f + (c.eye.y - 20.0f) * k, 1e-4f);
            EXPECT_NEAR(eye.z, c.eye.z * k, 1e-4f);
            const double t = fine ? Navigator::kFineTurnFactor : 1.0;
            const double turn = c.heading > 3.0 ? 6.2831852 - (6.2831852 - c.heading) * t
                                                : c.heading * t;
            EXPECT_NEAR(navigator.heading, turn, 1e-9);
            EXPECT_NEAR(navigator.pitch, c.pitch * t, 1e-9);
            // Only moves ask the collision test; turns and tilts never do.
            const bool turns = c.heading != 0.0 || c.pitch != 0.0;
            EXPECT_EQ(player.collisionTests, turns ? 0 : 1);
        }
    }
}

// Shift gives fine steps until it is released, and releasing Ctrl or Space (even with Shift
// still held) gives normal steps back.
TEST_F(NavigatorTest, ModifierReleasesRestoreNormalSteps) {
    for (const NavCommand released : {NavCommand{CPS_SHIFT_PRESSED}, NavCommand{17},
                                      NavCommand{CPS_TIME_STAMP}}) {
        SCOPED_TRACE(released);
        navigator.SetViewerPosition({0.0f, 20.0f, 0.0f});
        navigator.SetHeading(0.0);
        navigator.KeyDown(CPS_SHIFT_PRESSED);
        if (released != CPS_SHIFT_PRESSED) navigator.KeyDown(released);
        navigator.KeyDown(CPS_GO_FRONT);
        EXPECT_NEAR(navigator.GetViewerPosition().z, 2.0f, 1e-5f);
        navigator.KeyUp(released);
        navigator.KeyDown(CPS_GO_FRONT);
        EXPECT_NEAR(navigator.GetViewerPosition().z, 12.0f, 1e-5f);
        navigator.KeyUp(CPS_SHIFT_PRESSED);
        EXPECT_EQ(navigator.modifierBits, 0);
    }
    // Ctrl and Space are held as bits, Shift too.
    navigator.KeyDown(17);
    EXPECT_EQ(navigator.modifierBits, 2);
    navigator.KeyDown(CPS_TIME_STAMP);
    EXPECT_EQ(navigator.modifierBits, 6);
    navigator.KeyDown(CPS_SHIFT_PRESSED);
    EXPECT_EQ(navigator.modifierBits, 7);
}

TEST_F(NavigatorTest, RecordedShiftTogglesFineSteps) {
    for (const char* name : {"CPS_SHIFT_PRESSED", "CPS_GO_FRONT", "CPS_SHIFT_PRESSED",
                             "CPS_GO_FRONT"})
        path.AddName(name);
    path.SetHeadPosition({{0.0f, 2.0f, 0.0f}, 0.0, 0.0});
    ASSERT_TRUE(navigator.StartPath());
    ASSERT_TRUE(navigator.StepPath(true));
    ASSERT_TRUE(navigator.StepPath(true));
    EXPECT_NEAR(navigator.GetViewerPosition().z, 2.0f, 1e-5f);
    ASSERT_TRUE(navigator.StepPath(true));
    ASSERT_TRUE(navigator.StepPath(true));
    EXPECT_NEAR(navigator.GetViewerPosition().z, 12.0f, 1e-5f);
    EXPECT_FALSE(navigator.StepPath(true));  // used up


    // A recorded Shift while Ctrl is held turns fine steps on rather than off.
    path.Reset();
    for (const char* name : {"CPS_SHIFT_PRESSED", "CPS_GO_FRONT"}) path.AddName(name);
    path.SetHeadPosition({{0.0f, 2.0f, 0.0f}, 0.0, 0.0});
    navigator.KeyDown(CPS_SHIFT_PRESSED);
    navigator.KeyDown(17);
    ASSERT_TRUE(navigator.StartPath());
    ASSERT_TRUE(navigator.StepPath(true));
    ASSERT_TRUE(navigator.StepPath(true));
    EXPECT_NEAR(navigator.GetViewerPosition().z, 2.0f, 1e-5f);
}

TEST_F(NavigatorTest, StartPathPlacesTheCameraOrReportsNoPath) {
    navigator.SetViewerPosition({7.0f, 8.0f, 9.0f});
    EXPECT_FALSE(navigator.StartPath());
    EXPECT_EQ(navigator.GetViewerPosition(), (rm::Vector3{7.0f, 8.0f, 9.0f}));
    path.AddName("CPS_TIME_STAMP");
    path.SetTailPosition({{9.0f, 9.0f, 9.0f}, 1.0, 0.5});
    path.SetHeadPosition({{1.0f, 2.0f, 3.0f}, 0.5, 0.25});  // a forward walk starts here
    ASSERT_TRUE(navigator.StartPath());
    EXPECT_EQ(navigator.GetViewerPosition(), (rm::Vector3{1.0f, 2.0f, 3.0f}));
    EXPECT_EQ(navigator.heading, 0.5);
    EXPECT_EQ(navigator.pitch, 0.25);

    // A recorded stop: the timer stops, the still is smoothed, then the pause follows.
    ASSERT_TRUE(navigator.StepPath(true));
    EXPECT_EQ(player.timerStops, 1);
    EXPECT_EQ(player.pauses, std::vector<int>{100});
    EXPECT_EQ(surface.lastDevice->writes, 1);
    EXPECT_EQ(host.WaitDepth(), 0);
}

TEST_F(NavigatorTest, EnterInEditModeClearsTheSelection) {
    navigator.KeyDown(13);
    EXPECT_EQ(player.selectionClears, 0);
    player.edit = true;
    navigator.KeyDown(13);
    EXPECT_EQ(player.selectionClears, 1);
}

// A wall along the plan x axis at plan y = 40 (scene z = 20), from plan x -100 to 100, 0..30
// high, with a door from scene x -5 to 5.
std::vector<CollisionWall> OneWall() {
    CollisionWall wall;
    wall.line = {{-100.0, 40.0}, {100.0, 40.0}, {100.0, 44.0}, {-100.0, 44.0}};
    wall.twoDto3D = 2.0;
    wall.bottom = 0.0;
    wall.top = 30.0;
    wall.doors.push_back({-5.0, 5.0, 0.0, 25.0, 19.0, 23.0});
    return {wall};
}

TEST_F(NavigatorTest, WallsStopTheViewerExceptAtDoors) {
    player.collision = true;
    player.walls = OneWall();
    navigator.SetHeading(0.0);
    navigator.SetViewerPosition({30.7f, 10.0f, 12.6f});
    navigator.ExecuteCommand(CPS_GO_FRONT);  // to z 22.6: through the wall
    EXPECT_EQ(navigator.GetViewerPosition(), (rm::Vector3{30.0f, 10.0f, 12.0f}));

    navigator.SetViewerPosition({0.0f, 10.0f, 12.0f});
    navigator.ExecuteCommand(CPS_GO_FRONT);  // into the door box
    EXPECT_NEAR(navigator.GetViewerPosition().z, 22.0f, 1e-5f);

    navigator.SetViewerPosition({30.0f, 40.0f, 12.0f});  // above the wall's top
    navigator.ExecuteCommand(CPS_GO_FRONT);
    EXPECT_NEAR(navigator.GetViewerPosition().z, 22.0f, 1e-5f);

    navigator.SetViewerPosition({30.0f, 10.0f, 18.0f});  // height changes are never stopped
    navigator.ExecuteCommand(CPS_MOVE_UP);
    EXPECT_EQ(navigator.GetViewerPosition().y, 20.0f);

    player.collision = false;
    navigator.SetViewerPosition({30.0f, 10.0f, 12.0f});
    navigator.ExecuteCommand(CPS_GO_FRONT);
    EXPECT_NEAR(navigator.GetViewerPosition().z, 22.0f, 1e-5f);
}

// A wall across the z axis from scene x -80 to 80 at z `z0` to `z1`, drawn at `factor` plan units
// a scene unit.
CollisionWall WallAcrossZ(double factor, double z0, double z1) {
    CollisionWall wall;
    wall.line = {{-80.0 * factor, z0 * factor}, {80.0 * factor, z0 * factor},
                 {80.0 * factor, z1 * factor}, {-80.0 * factor, z1 * factor}};
    wall.twoDto3D = factor;
    wall.top = 30.0;
    return wall;
}

TEST(WallCollision, EachWallIsMeasuredInItsOwnPlan) {
    for (const double factor : {1.0, 2.0, 5.0, 0.5}) {
        SCOPED_TRACE(factor);
        const std::vector<CollisionWall> walls = {WallAcrossZ(factor, 20.0, 22.0)};
        EXPECT_EQ(CollideMove({10.5f, 10.0f, 12.6f}, {10.5f, 10.0f, 22.6f}, walls),
                  (rm::Vector3{10.0f, 10.0f, 12.0f}));
        EXPECT_EQ(CollideMove({10.5f, 10.0f, 2.6f}, {10.5f, 10.0f, 12.6f}, walls),
                  (rm::Vector3{10.5f, 10.0f, 12.6f}));  // short of the wall
        EXPECT_EQ(CollideMove({90.5f, 10.0f, 12.6f}, {90.5f, 10.0f, 32.6f}, walls),
                  (rm::Vector3{90.5f, 10.0f, 32.6f}));  // past its end
        EXPECT_EQ(CollideMove({10.5f, 40.0f, 12.6f}, {10.5f, 40.0f, 22.6f}, walls),
                  (rm::Vector3{10.5f, 40.0f, 22.6f}));  // above its top
    }
    // Each of two walls in its own plan: the far one, at 10 plan units a scene unit, stops.
    const std::vector<CollisionWall> two = {WallAcrossZ(2.0, 60.0, 62.0),
                                            WallAcrossZ(10.0, 30.0, 31.0)};
    EXPECT_EQ(CollideMove({0.0f, 10.0f, 25.0f}, {0.0f, 10.0f, 35.0f}, two),
              (rm::Vector3{0.0f, 10.0f, 25.0f}));
}

TEST(WallCollision, TheCutToWholeUnitsNeverReachesAWall) {
    // A thin wall at z -20.5 .. -20.2 in a fine plan: from -20.9 the cut to -20 would pass it.
    const std::vector<CollisionWall> walls = {WallAcrossZ(10.0, -20.5, -20.2)};
    EXPECT_EQ(CollideMove({0.5f, 10.0f, -20.9f}, {0.5f, 10.0f, -10.9f}, walls),
              (rm::Vector3{0.5f, 10.0f, -20.9f}));
    // The height change is kept.
    EXPECT_EQ(CollideMove({0.5f, 10.0f, -20.9f}, {0.5f, 12.0f, -10.9f}, walls),
              (rm::Vector3{0.5f, 12.0f, -20.9f}));
}

TEST(WallCollision, CrossingRules) {
    const std::vector<dsg::Point2d> square = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    EXPECT_TRUE(CrossesOutline(50, -20, 50, 20, square));    // across the bottom edge
    EXPECT_TRUE(CrossesOutline(50, 120, 50, 80, square));    // across the closing edge
    EXPECT_TRUE(CrossesOutline(-20, 30, 20, 70, square));    // slanted across the left edge
    EXPECT_TRUE(CrossesOutline(-20, 50, 20, 50, square));    // straight across it
    EXPECT_FALSE(CrossesOutline(20, 20, 80, 80, square));    // inside
    EXPECT_FALSE(CrossesOutline(50, 50, 50, 50, square));    // no plan motion
    EXPECT_FALSE(CrossesOutline(150, -20, 150, 20, square)); // beside it
    EXPECT_TRUE(CrossesOutline(98, 40, 103, 40, square));    // within 3 of the edge
    EXPECT_FALSE(CrossesOutline(-20, 30, 20, 70, {}));
    // An end of the motion up to 3 units short of an edge counts, 4 does not; so does a
    // crossing up to 3 units beyond an edge's end.
    EXPECT_TRUE(CrossesOutline(50, -20, 50, -3, square));
    EXPECT_FALSE(CrossesOutline(50, -20, 50, -4, square));
    EXPECT_TRUE(CrossesOutline(-20, 50, -3, 50, square));
    EXPECT_FALSE(CrossesOutline(-20, 50, -4, 50, square));
    EXPECT_TRUE(CrossesOutline(103, -20, 103, 20, square));
    EXPECT_FALSE(CrossesOutline(104, -20, 104, 20, square));
    EXPECT_TRUE(CrossesOutline(-20, 103, 20, 103, square));
    EXPECT_FALSE(CrossesOutline(-20, 104, 20, 104, square));

    // A slanted edge y = x: a crossing within 2 of its line counts.
    const std::vector<dsg::Point2d> wedge = {{0, 0}, {100, 100}, {100, 0}};
    EXPECT_TRUE(CrossesOutline(30, 50, 70, 50, wedge));      // level across the slant
    EXPECT_TRUE(CrossesOutline(50, 70, 50, 30, wedge));      // straight down across it
    EXPECT_TRUE(CrossesOutline(0, 100, 100, 0, wedge));      // slanted across the slant
    EXPECT_FALSE(CrossesOutline(60, 50, 90, 50, wedge));     // inside, short of both sides
    EXPECT_FALSE(CrossesOutline(0, 10, 50, 60, wedge));      // parallel to the slant, outside
    EXPECT_FALSE(CrossesOutline(-30, 50, 20, 100, wedge));   // parallel, beyond the slant
    EXPECT_TRUE(CrossesOutline(80, 50, 110, 50, wedge));     // out through the upright side
    EXPECT_FALSE(CrossesOutline(120, 50, 150, 50, wedge));   // beside it
    EXPECT_FALSE(CrossesOutline(150, 50, 150, 150, wedge));  // beyond its top corner
    // A slanted motion ending near the slant, and one far from it.
    EXPECT_TRUE(CrossesOutline(20, 60, 48, 52, wedge));
    EXPECT_FALSE(CrossesOutline(-40, 60, 10, 58, wedge));
    // Beyond the end of a steep wall a level motion meets its line more than 3 units past the
    // end: no crossing, although the cut point is within 2 of the line.
    const std::vector<dsg::Point2d> steep = {{0, 0}, {4, 40}};
    EXPECT_FALSE(CrossesOutline(-20, 45, 20, 45, steep));
    EXPECT_TRUE(CrossesOutline(-20, 35, 20, 35, steep));
    // Points are cut to whole numbers before the test.
    EXPECT_TRUE(CrossesOutline(50, -20, 50, -3, {{0.9, 0.9}, {100.9, 0.9}, {100.9, 100.9}}));
}

TEST(WallCollision, DoorsAndHeights) {
    std::vector<CollisionWall> walls = OneWall();
    walls.front().bottom = 5.0;
    // Leaving through the door passes as entering it does.
    EXPECT_EQ(CollideMove({0.0f, 10.0f, 21.0f}, {0.0f, 10.0f, 31.0f}, walls),
              (rm::Vector3{0.0f, 10.0f, 31.0f}));
    // The door box holds its bounds.
    EXPECT_EQ(CollideMove({5.0f, 25.0f, 12.0f}, {5.0f, 25.0f, 23.0f}, walls),
              (rm::Vector3{5.0f, 25.0f, 23.0f}));
    EXPECT_EQ(CollideMove({5.5f, 25.0f, 12.0f}, {5.5f, 25.0f, 24.0f}, walls),
              (rm::Vector3{5.0f, 25.0f, 12.0f}));
    // Below the wall's bottom, over its top, and at each of them.
    EXPECT_EQ(CollideMove({30.0f, 4.0f, 12.0f}, {30.0f, 4.0f, 22.0f}, walls),
              (rm::Vector3{30.0f, 4.0f, 22.0f}));
    EXPECT_EQ(CollideMove({30.0f, 5.0f, 12.0f}, {30.0f, 5.0f, 22.0f}, walls),
              (rm::Vector3{30.0f, 5.0f, 12.0f}));
    EXPECT_EQ(CollideMove({30.0f, 30.0f, 12.0f}, {30.0f, 30.0f, 22.0f}, walls),
              (rm::Vector3{30.0f, 30.0f, 12.0f}));
    EXPECT_EQ(CollideMove({30.0f, 31.0f, 12.0f}, {30.0f, 31.0f, 22.0f}, walls),
              (rm::Vector3{30.0f, 31.0f, 22.0f}));
    // A door of an earlier wall lets the viewer through later walls too.
    CollisionWall behind = OneWall().front();
    behind.doors.clear();
    walls.push_back(behind);
    EXPECT_EQ(CollideMove({0.0f, 10.0f, 12.0f}, {0.0f, 10.0f, 22.0f}, walls),
              (rm::Vector3{0.0f, 10.0f, 22.0f}));
    std::swap(walls.front(), walls.back());
    EXPECT_EQ(CollideMove({0.0f, 10.0f, 12.0f}, {0.0f, 10.0f, 22.0f}, walls),
              (rm::Vector3{0.0f, 10.0f, 12.0f}));
    // A leap from far away is stopped on its own side, without overflow.
    EXPECT_GT(CollideMove({0.0f, 10.0f, 1e30f}, {0.0f, 10.0f, -1e30f}, walls).z, 1e11f);
}

}  // namespace
}  // namespace roamer::nav
