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

    // Releasing Ctrl while Shift is held returns to normal steps.
    navigator.KeyDown(CPS_SHIFT_PRESSED);
    navigator.KeyDown(17);
    navigator.KeyUp(17);
    navigator.KeyDown(CPS_GO_FRONT);
    EXPECT_NEAR(navigator.GetViewerPosition().z, 22.0f, 1e-5f);
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

TEST(WallCollision, CrossingRules) {
    const std::vector<dsg::Point2d> square = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    EXPECT_TRUE(CrossesOutline(50, -20, 50, 20, square));    // across the bottom edge
    EXPECT_TRUE(CrossesOutline(-20, 30, 20, 70, square));    // slanted across the left edge
    EXPECT_FALSE(CrossesOutline(20, 20, 80, 80, square));    // inside
    EXPECT_FALSE(CrossesOutline(50, 50, 50, 50, square));    // no plan motion
    EXPECT_FALSE(CrossesOutline(150, -20, 150, 20, square)); // beside it
    EXPECT_TRUE(CrossesOutline(98, 40, 103, 40, square));    // within 3 of the edge
    EXPECT_FALSE(CrossesOutline(-20, 30, 20, 70, {}));
}

}  // namespace
}  // namespace roamer::nav
