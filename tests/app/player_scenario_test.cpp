// The player driven as a user would, without a window: buttons, keys and timer ticks.
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "app/player_app.h"
#include "app/scripted_player_host.h"
#include "model/room_design.h"
#include "nav/browse_file.h"
#include "support/temp_dir.h"

namespace roamer::app {
namespace {

class PlayerScenario : public ::testing::Test {
protected:
    void SetUp() override {
        const char* root = std::getenv("ROAMER_TEST_DATA");
        ASSERT_NE(root, nullptr);
        std::filesystem::copy(std::string(root) + "/designs", dir.Path(),
                              std::filesystem::copy_options::recursive);
        for (const char* name : {"a", "b", "c"})
            std::filesystem::copy_file(dir.File("room246.dsg"), dir.File(std::string(name) + ".dsg"));
    }

    // A browse path of `count` forward steps beside design `name`.
    void WritePath(const std::string& name, int count) {
        nav::BrowsePath path;
        path.SetHeadPosition({{0.0f, 50.0f, 0.0f}, 0.0, 0.0});
        for (int i = 0; i < count; ++i) path.AddName("CPS_GO_FRONT");
        RecordingHost quiet;
        nav::CBrowseFile file(quiet);
        ASSERT_TRUE(file.OpenWrite(dir.File(name + ".rcd")));
        ASSERT_TRUE(file.WritePath(path));
        ASSERT_TRUE(file.Close());
    }

    void OpenDesigns(std::vector<std::string> names) {
        FileDialogResult chosen{true, dir.Path(), {}};
        for (const std::string& n : names) chosen.files.push_back(dir.File(n + ".dsg"));
        host.dialogAnswers.push_back(chosen);
        app.PressOpenDesigns();
    }

    // Ticks until playback stops or `limit` ticks have passed; the designs played, in order.
    std::vector<int> PlayUntilReady(int limit = 200) {
        std::vector<int> played;
        int lastPass = -2, lastDesign = -2;
        for (int i = 0; i < limit && app.state == PS_PLAYING; ++i) {
            if (app.designIndex != lastDesign || app.passIndex != lastPass) {
                played.push_back(app.designIndex);
                lastDesign = app.designIndex;
                lastPass = app.passIndex;
            }
            if (host.Tick(app) == 0) break;
        }
        return played;
    }

    roamer::test::TempDir dir;
    test::ScriptedPlayerHost host;
    PlayerApp app{host, "/"};
};

TEST_F(PlayerScenario, ThreeDesignsPlayOnceEachThenStop) {
    WritePath("a", 2);
    WritePath("b", 1);
    WritePath("c", 3);
    OpenDesigns({"a", "b", "c"});
    ASSERT_EQ(app.state, PS_READY);
    EXPECT_TRUE(app.ViewOpen());
    EXPECT_EQ(app.loadedEntry, dir.File("a.dsg"));  // the first design is previewed
    app.PressPlay();
    ASSERT_EQ(app.state, PS_PLAYING);
    EXPECT_EQ(host.TimerInterval(PlayerApp::kPlayTimer), 100);  // speed 快
    EXPECT_EQ(app.Panel().FrameTitle(), "Roamer-a-播放中");
    EXPECT_EQ(PlayUntilReady(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(app.state, PS_READY);
    EXPECT_EQ(app.Panel().DesignCounterText(), "選播1/3");
    EXPECT_EQ(app.Panel().PassCounterText(), "次數0/1");
    EXPECT_FALSE(host.TimerRunning(PlayerApp::kPlayTimer));
    EXPECT_EQ(host.recorder.WaitDepth(), 0);
}

TEST_F(PlayerScenario, LoopStartsOverAndDesignsWithoutPathAreSkipped) {
    WritePath("a", 1);
    WritePath("c", 1);  // b has no browse path
    OpenDesigns({"a", "b", "c"});
    app.ToggleLoop();
    EXPECT_EQ(app.Panel().StateText(), "[循環]");
    app.PressPlay();
    const std::vector<int> played = PlayUntilReady(12);
    ASSERT_GE(played.size(), 4u);
    EXPECT_EQ(std::vector<int>(played.begin(), played.begin() + 4), (std::vector<int>{0, 2, 0, 2}));
    EXPECT_EQ(app.state, PS_PLAYING);
}

TEST_F(PlayerScenario, PassesRepeatAndOptionsTakeEffectAtOnce) {
    WritePath("a", 3);
    OpenDesigns({"a"});
    OptionsDialogModel dialog = app.BeginOptions();
    dialog.values.repeatCount = 3;
    app.EndOptions(dialog, true);
    EXPECT_EQ(app.Panel().PassCounterText(), "次數0/3");
    app.PressPlay();
    for (int i = 0; i < 5; ++i) host.Tick(app);  // into the second pass
    EXPECT_EQ(app.passIndex, 1);
    EXPECT_EQ(app.Panel().PassCounterText(), "次數1/3");

    // Slower and fewer passes while playing: the timer restarts, the pass index is clamped.
    OptionsDialogModel slower = app.BeginOptions();
    slower.values.speedIndex = 3;
    slower.values.repeatCount = 1;
    app.EndOptions(slower, true);
    EXPECT_EQ(app.state, PS_PLAYING);
    EXPECT_EQ(app.passIndex, 0);
    EXPECT_EQ(host.TimerInterval(PlayerApp::kPlayTimer), 200);
    PlayUntilReady();
    EXPECT_EQ(app.state, PS_READY);  // ended after the pass in progress
}

TEST_F(PlayerScenario, NextAndPreviousInEachState) {
    WritePath("a", 50);
    WritePath("b", 50);
    WritePath("c", 50);
    OpenDesigns({"a", "b", "c"});
    for (const char* expected : {"選播2/3", "選播3/3", "選播3/3"}) {
        app.NextDesign();
        EXPECT_EQ(app.Panel().DesignCounterText(), expected);
    }
    for (const char* expected : {"選播2/3", "選播1/3", "選播1/3"}) {
        app.PreviousDesign();
        EXPECT_EQ(app.Panel().DesignCounterText(), expected);
    }
    app.PressPlay();
    EXPECT_EQ(app.designIndex, 0);
    app.PreviousDesign();  // the first design plays: nothing
    EXPECT_EQ(app.designIndex, 0);
    app.NextDesign();
    app.NextDesign();
    EXPECT_EQ(app.designIndex, 2);
    app.NextDesign();  // the last design plays: nothing
    EXPECT_EQ(app.designIndex, 2);
    app.Pause();
    EXPECT_EQ(app.state, PS_PAUSED);
    app.PreviousDesign();
    app.NextDesign();
    EXPECT_EQ(app.designIndex, 2);
    app.Play();
    EXPECT_EQ(app.state, PS_PLAYING);
    app.PreviousDesign();
    EXPECT_EQ(app.designIndex, 1);
}

TEST_F(PlayerScenario, ClosingTheFrameStopsOnlyPlayback) {
    WritePath("a", 50);
    OpenDesigns({"a"});
    app.PressPlay();
    app.Pause();
    app.OnFrameClose();
    EXPECT_EQ(app.state, PS_PAUSED);
    app.Play();
    app.OnFrameClose();
    EXPECT_EQ(app.state, PS_READY);
    app.OnViewDestroy();
    EXPECT_EQ(app.Engine().Render(), -2109);
    EXPECT_EQ(app.Design(), nullptr);
}

TEST_F(PlayerScenario, UnplayableDesignsAreSkippedOrEndPlayback) {
    WritePath("c", 1);
    dir.Write("b.dsg", "not a design\r\n");  // fails to load, with its message
    OpenDesigns({"a", "b", "c"});              // a has no browse path
    app.PressPlay();
    EXPECT_EQ(app.designIndex, 2);
    EXPECT_EQ(host.recorder.Messages().back(), "讀取檔案表頭失敗!");
    PlayUntilReady();
    EXPECT_EQ(app.state, PS_READY);

    // Nothing playable at all: Play comes back to ready at once.
    OpenDesigns({"a", "b"});
    app.PressPlay();
    EXPECT_EQ(app.state, PS_READY);
    EXPECT_FALSE(host.TimerRunning(PlayerApp::kPlayTimer));
    EXPECT_EQ(app.Panel().DesignCounterText(), "選播1/2");
}

TEST_F(PlayerScenario, ReopeningTheShownDesignShowsItAgain) {
    WritePath("a", 1);
    OpenDesigns({"a"});
    const int faces = app.Design()->RenderFaceCount();
    ASSERT_GT(faces, 0);
    OpenDesigns({"a"});  // the same design chosen again
    EXPECT_EQ(app.Design()->RenderFaceCount(), faces);
    app.PressPlay();
    EXPECT_EQ(app.state, PS_PLAYING);  // and its browse path is there to play
}

TEST_F(PlayerScenario, ThePauseAtAStopEndsInTheNextTick) {
    nav::BrowsePath path;
    path.SetHeadPosition({{0.0f, 50.0f, 0.0f}, 0.0, 0.0});
    path.AddName("CPS_TIME_STAMP");
    path.AddName("CPS_GO_FRONT");
    path.AddName("CPS_GO_FRONT");
    RecordingHost quiet;
    nav::CBrowseFile file(quiet);
    ASSERT_TRUE(file.OpenWrite(dir.File("a.rcd")) && file.WritePath(path) && file.Close());
    OpenDesigns({"a"});
    app.PressPlay();
    host.Tick(app);                                                // the stop
    EXPECT_EQ(host.Tick(app), PlayerApp::kPauseTimer);             // the pause ends
    EXPECT_FALSE(host.TimerRunning(PlayerApp::kPauseTimer));       // once
    EXPECT_EQ(host.TimerInterval(PlayerApp::kPlayTimer), 100);     // at the play speed
    const float z = app.Navigator().viewerPosition.z;
    EXPECT_EQ(host.Tick(app), PlayerApp::kPlayTimer);
    EXPECT_NE(app.Navigator().viewerPosition.z, z);
}

TEST_F(PlayerScenario, TypingStopsFirstThenRunsTheCommand) {
    WritePath("a", 50);
    WritePath("b", 50);
    OpenDesigns({"a", "b"});
    app.PressPlay();
    app.NextDesign();
    EXPECT_EQ(app.designIndex, 1);
    // p: the key stops playback, the character plays again from the first design.
    app.OnKeyDown('P');
    app.OnChar(U'p');
    EXPECT_EQ(app.state, PS_PLAYING);
    EXPECT_EQ(app.designIndex, 0);
    // u: stopped by the key, the pause then finds nothing playing.
    app.OnKeyDown('U');
    app.OnChar(U'u');
    EXPECT_EQ(app.state, PS_READY);
}

TEST_F(PlayerScenario, RecordedStopsPauseWithoutReplaying) {
    nav::BrowsePath path;
    path.SetHeadPosition({{0.0f, 50.0f, 0.0f}, 0.0, 0.0});
    path.AddName("CPS_TIME_STAMP");
    path.AddName("CPS_GO_FRONT");
    RecordingHost quiet;
    nav::CBrowseFile file(quiet);
    ASSERT_TRUE(file.OpenWrite(dir.File("a.rcd")) && file.WritePath(path) && file.Close());
    OpenDesigns({"a"});
    app.PressPlay();
    EXPECT_EQ(host.Tick(app), PlayerApp::kPlayTimer);  // the stop
    EXPECT_FALSE(host.TimerRunning(PlayerApp::kPlayTimer));
    EXPECT_EQ(host.TimerInterval(PlayerApp::kPauseTimer), 100);
    const float z = app.Navigator().viewerPosition.z;
    app.Stop();  // a stop during the pause must not be undone when the pause ends
    EXPECT_FALSE(host.TimerRunning(PlayerApp::kPauseTimer));
    EXPECT_EQ(host.Tick(app), 0);
    EXPECT_EQ(app.Navigator().viewerPosition.z, z);
}

TEST_F(PlayerScenario, OpeningListsAndTheUnsavedQuestion) {
    const auto openList = [&](const std::string& text) {
        host.dialogAnswers.push_back({true, dir.Path(), {dir.Write("list.vol", text)}});
        app.PressOpenPlayList();
    };
    openList("A.DsG\r\nc.dsg\r\n");  // relative entries, any case of DSG
    ASSERT_EQ(app.state, PS_READY);
    EXPECT_EQ(app.designCount, 2);
    EXPECT_EQ(app.loadedEntry, "A.DsG");  // found as a.dsg in the list's folder

    openList("   \r\n");
    EXPECT_EQ(app.state, PS_NOLIST);
    EXPECT_EQ(host.recorder.Messages().back(), "錯誤的播放表!");
    EXPECT_EQ(app.Panel().DesignCounterText(), "選播0/0");

    openList("a.dsg\r\n");
    host.dialogAnswers.push_back({true, dir.Path(), {dir.File("missing.vol")}});
    app.PressOpenPlayList();
    EXPECT_EQ(host.recorder.Messages().back(), "讀取播放表失敗!");
    EXPECT_EQ(app.state, PS_NOLIST);
    EXPECT_EQ(app.playList, std::vector<std::string>{"a.dsg"});  // the old list stays

    // A modified design: Cancel leaves everything as it was.
    openList("a.dsg\r\nb.dsg\r\n");
    app.modified = true;
    host.recorder.ScriptAnswers({Host::Answer::kCancel});
    const std::size_t dialogsBefore = host.dialogs.size();
    app.PressOpenPlayList();
    EXPECT_EQ(host.dialogs.size(), dialogsBefore);
    EXPECT_EQ(app.designCount, 2);
    EXPECT_TRUE(app.modified);
    EXPECT_EQ(host.recorder.Questions().back(), "設計案已修改!是否儲存?");
}

TEST_F(PlayerScenario, TheLoadedDesignIsNotReadAgain) {
    WritePath("a", 1);
    OpenDesigns({"a"});
    model::CRoomDesign* design = app.Design();
    const int walls = static_cast<int>(design->Walls().size());
    ASSERT_GT(walls, 0);
    const rm::Frame* firstWallFrame = design->Walls().front()->GetFrame();
    app.PressPlay();  // advances to the same design: only its path restarts
    EXPECT_EQ(app.Design()->Walls().front()->GetFrame(), firstWallFrame);
}

TEST_F(PlayerScenario, EditModeSelectsMovesAndClears) {
    OpenDesigns({"a"});
    model::CRoomDesign* design = app.Design();
    ASSERT_GT(design->Furniture().GetCount(), 0);
    model::CFurniture* piece = design->Furniture().GetAt(0);
    OptionsDialogModel dialog = app.BeginOptions();
    dialog.values.editMode = true;
    app.EndOptions(dialog, true);

    app.SelectObject(piece);
    ASSERT_TRUE(app.Selection()->IsShown());
    EXPECT_EQ(app.Selection()->GetFrame(), piece->GetModelFrame());
    // Heading 0: dragging up the screen moves the piece towards +z, one unit a pixel.
    app.Navigator().heading = 0.0;
    const rm::Vector3 before = piece->GetPosition();
    app.OnLeftButtonDown(-1000, -1000);  // picks nothing: the selection goes
    EXPECT_EQ(app.Selected(), nullptr);
    app.SelectObject(piece);
    app.OnMouseMove(-1000, -1010);
    EXPECT_NEAR(piece->GetPosition().z, before.z + 10.0f, 1e-4f);
    EXPECT_TRUE(app.modified);

    OptionsDialogModel off = app.BeginOptions();
    off.values.editMode = false;
    app.EndOptions(off, true);
    EXPECT_EQ(app.Selected(), nullptr);
    EXPECT_FALSE(app.Selection()->IsShown());
}

TEST(PlayerEditArithmetic, StepsDirectionsAndWheel) {
    constexpr double kDeg = 1.0 / 57.295780490442965;
    EXPECT_NEAR(PlayerApp::FortyFiveDegreeStep(30 * kDeg, true), 45 * kDeg, 1e-9);
    EXPECT_NEAR(PlayerApp::FortyFiveDegreeStep(30 * kDeg, false), 0.0, 1e-9);
    EXPECT_NEAR(PlayerApp::FortyFiveDegreeStep(0.0, false), 315 * kDeg, 1e-9);
    EXPECT_NEAR(PlayerApp::FortyFiveDegreeStep(315 * kDeg + 1e-9, true), 0.0, 1e-9);
    EXPECT_EQ(PlayerApp::MotionDirection(0, 5), 90.0);
    EXPECT_EQ(PlayerApp::MotionDirection(-3, 0), 180.0);
    EXPECT_NEAR(PlayerApp::MotionDirection(-1, -1), 225.0, 1e-6);
    int du = 0, dv = 0;
    PlayerApp::FloorOffsets(10.0, 90.0, du, dv);
    EXPECT_EQ(du, 0);
    EXPECT_EQ(dv, 10);
    PlayerApp::FloorOffsets(10.0, 405.0, du, dv);  // reduced by 360 once
    EXPECT_EQ(du, 7);
    EXPECT_EQ(dv, 7);
}

TEST_F(PlayerScenario, WheelAndMouseDriveInNormalMode) {
    OpenDesigns({"a"});
    app.Navigator().SetViewerPosition({0.0f, 3.0f, 0.0f});
    app.Navigator().SetHeading(0.0);
    app.OnMouseWheel(-120);
    EXPECT_EQ(app.Navigator().viewerPosition.y, 1.5f);  // never below 1.5
    app.OnMouseWheel(120);
    EXPECT_EQ(app.Navigator().viewerPosition.y, 5.5f);

    // Holding the left button without moving: the timer runs at 10 ms, the camera stays.
    app.OnLeftButtonDown(20, 20);
    EXPECT_EQ(host.TimerInterval(PlayerApp::kPlayTimer), 10);
    host.Tick(app);
    EXPECT_EQ(app.Navigator().viewerPosition.z, 0.0f);
    app.OnMouseMove(20, 0);  // 20 pixels up: two units forward a tick
    host.Tick(app);
    EXPECT_NEAR(app.Navigator().GetViewerPosition().z, 2.0f, 1e-5f);
    app.OnLeftButtonUp();
    EXPECT_FALSE(host.TimerRunning(PlayerApp::kPlayTimer));
    EXPECT_FALSE(app.mouseDrive);

    // With Ctrl: 20 pixels down sinks two units (never below 1.5) and 30 right slides three.
    app.Navigator().SetViewerPosition({0.0f, 2.5f, 0.0f});
    app.OnKeyDown(17);
    app.OnLeftButtonDown(100, 100);
    app.OnMouseMove(130, 120);
    host.Tick(app);
    EXPECT_EQ(app.Navigator().GetViewerPosition().y, 1.5f);
    EXPECT_NEAR(app.Navigator().GetViewerPosition().x, 3.0f, 1e-5f);
    app.OnLeftButtonUp();
    app.OnKeyUp(17);

    // The right button tilts: 30 pixels up looks up three degrees.
    app.Navigator().SetPitch(0.0);
    app.OnRightButtonDown(100, 100);
    app.OnMouseMove(100, 70);
    host.Tick(app);
    EXPECT_NEAR(app.Navigator().pitch, 3 * 0.017453292, 1e-9);
    app.OnRightButtonUp();
}

TEST_F(PlayerScenario, MouseDriveStopsAtWallsWhenCollisionIsOn) {
    OpenDesigns({"a"});
    OptionsDialogModel dialog = app.BeginOptions();
    dialog.values.wallCollision = true;
    app.EndOptions(dialog, true);
    // The design's wall runs along x from 0 to 100 at z 0..5, with a door from x 30 to 60.
    // Walking towards +z ten units a tick: beside the door the wall stops the viewer.
    const auto walk = [&](float x) {
        app.Navigator().SetHeading(0.0);
        app.Navigator().SetViewerPosition({x + 0.5f, 50.0f, -50.5f});
        app.OnLeftButtonDown(100, 100);
        app.OnMouseMove(100, 0);
        for (int i = 0; i < 10; ++i) host.Tick(app);
        app.OnLeftButtonUp();
        return app.Navigator().GetViewerPosition();
    };
    const rm::Vector3 stopped = walk(80.0f);
    EXPECT_LT(stopped.z, 0.0f);
    EXPECT_EQ(stopped.x, 80.0f);  // cut to whole units
    EXPECT_GT(walk(45.0f).z, 5.0f);  // through the door
}

}  // namespace
}  // namespace roamer::app
