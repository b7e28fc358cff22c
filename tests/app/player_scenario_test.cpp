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

    // An edit of the design on screen: its first piece of furniture dragged 10 units along +z.
    void MoveFirstPiece() {
        SetEditMode(true);
        model::CFurniture* piece = app.Design()->Furniture().GetAt(0);
        ASSERT_NE(piece, nullptr);
        app.SelectObject(piece);
        app.Navigator().heading = 0.0;
        app.OnLeftButtonDown(-1000, -1000);
        app.SelectObject(piece);
        app.OnMouseMove(-1000, -1010);
        app.OnLeftButtonUp();
        SetEditMode(false);
        ASSERT_TRUE(app.modified);
    }

    void SetEditMode(bool on) {
        OptionsDialogModel dialog = app.BeginOptions();
        dialog.values.editMode = on;
        app.EndOptions(dialog, true);
    }

    float FirstPieceZ() { return app.Design()->Furniture().GetAt(0)->GetPosition().z; }

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
    EXPECT_EQ(app.Panel().FrameTitle(), "Roamer-[準備播放]");
    // What the panel and the frame title showed each time the panel was drawn.
    std::vector<std::string> shown;
    host.onPanelChanged = [&] {
        const std::string line = app.Panel().FrameTitle() + " " + app.Panel().DesignCounterText() +
                                 " " + app.Panel().PassCounterText();
        if (shown.empty() || shown.back() != line) shown.push_back(line);
    };
    app.PressPlay();
    ASSERT_EQ(app.state, PS_PLAYING);
    EXPECT_EQ(host.TimerInterval(PlayerApp::kPlayTimer), 100);  // speed 快
    EXPECT_EQ(app.Panel().StateText(), "播放中");
    EXPECT_EQ(PlayUntilReady(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "Roamer-[準備播放] 選播1/3 次數0/1",
                         "Roamer-a-播放中 選播1/3 次數0/1",
                         "Roamer-b-載入中 選播1/3 次數0/1",
                         "Roamer-b-播放中 選播2/3 次數0/1",
                         "Roamer-c-載入中 選播2/3 次數0/1",
                         "Roamer-c-播放中 選播3/3 次數0/1",
                         "Roamer-[準備播放] 選播1/3 次數0/1",
                     }));
    EXPECT_EQ(app.state, PS_READY);
    EXPECT_EQ(app.Panel().StateText(), "");
    EXPECT_FALSE(host.TimerRunning(PlayerApp::kPlayTimer));
    EXPECT_EQ(host.recorder.WaitDepth(), 0);
    // The last design stays on screen where its walk ended: three steps from the start.
    EXPECT_EQ(app.loadedEntry, dir.File("c.dsg"));
    EXPECT_NEAR(app.Navigator().GetViewerPosition().z, 30.0f, 1e-4f);
}

// Pause stops the timer and says so; Play goes on from where it was; Stop forgets the place.
TEST_F(PlayerScenario, PauseResumeAndStopAsTheUserSeesThem) {
    WritePath("a", 10);
    WritePath("b", 10);
    OpenDesigns({"a", "b"});
    app.PressPlay();
    app.NextDesign();
    host.Tick(app);
    host.Tick(app);
    const float z = app.Navigator().GetViewerPosition().z;
    EXPECT_NEAR(z, 20.0f, 1e-4f);
    app.Pause();
    EXPECT_EQ(app.state, PS_PAUSED);
    EXPECT_FALSE(host.TimerRunning(PlayerApp::kPlayTimer));
    EXPECT_EQ(host.Tick(app), 0);
    EXPECT_EQ(app.Panel().StateText(), "暫停");
    EXPECT_EQ(app.Panel().FrameTitle(), "Roamer-b-暫停");
    EXPECT_EQ(app.Panel().DesignCounterText(), "選播2/2");
    EXPECT_TRUE(app.Panel().IsEnabled(ControlPanel::kPlay));
    EXPECT_FALSE(app.Panel().IsEnabled(ControlPanel::kPause));
    app.Pause();  // nothing more
    EXPECT_EQ(app.state, PS_PAUSED);

    app.PressPlay();
    EXPECT_EQ(app.state, PS_PLAYING);
    EXPECT_TRUE(host.TimerRunning(PlayerApp::kPlayTimer));
    EXPECT_EQ(app.Panel().FrameTitle(), "Roamer-b-播放中");
    EXPECT_EQ(app.designIndex, 1);
    host.Tick(app);
    EXPECT_NEAR(app.Navigator().GetViewerPosition().z, 30.0f, 1e-4f);  // on from where it was

    app.Stop();
    EXPECT_EQ(app.state, PS_READY);
    EXPECT_FALSE(host.TimerRunning(PlayerApp::kPlayTimer));
    EXPECT_EQ(app.Panel().FrameTitle(), "Roamer-[準備播放]");
    EXPECT_EQ(app.Panel().DesignCounterText(), "選播1/2");
    EXPECT_EQ(app.Panel().PassCounterText(), "次數0/1");
    EXPECT_EQ(app.designIndex, -1);
    EXPECT_EQ(app.passIndex, -1);
    EXPECT_FALSE(app.Panel().IsEnabled(ControlPanel::kStop));
    app.Stop();  // nothing more
    EXPECT_EQ(app.state, PS_READY);
    app.Play();  // from the first design again
    EXPECT_EQ(app.designIndex, 0);
    EXPECT_EQ(app.Panel().FrameTitle(), "Roamer-a-播放中");
    EXPECT_EQ(app.Panel().PassCounterText(), "次數0/1");
}

// A recorded Shift held at the end of a pass, or when the user moves on, is let go: every pass
// starts with normal steps.
TEST_F(PlayerScenario, EveryPassStartsWithNormalSteps) {
    nav::BrowsePath path;
    path.SetHeadPosition({{0.0f, 50.0f, 0.0f}, 0.0, 0.0});
    for (const char* name : {"CPS_GO_FRONT", "CPS_SHIFT_PRESSED", "CPS_GO_FRONT"})
        path.AddName(name);
    RecordingHost quiet;
    for (const char* name : {"a", "b"}) {
        nav::CBrowseFile file(quiet);
        ASSERT_TRUE(file.OpenWrite(dir.File(std::string(name) + ".rcd")) &&
                    file.WritePath(path) && file.Close());
    }
    OpenDesigns({"a", "b"});
    OptionsDialogModel dialog = app.BeginOptions();
    dialog.values.repeatCount = 2;
    app.EndOptions(dialog, true);
    app.PressPlay();
    for (int i = 0; i < 3; ++i) host.Tick(app);
    EXPECT_NEAR(app.Navigator().GetViewerPosition().z, 12.0f, 1e-4f);
    host.Tick(app);  // the end of the first pass
    EXPECT_EQ(app.passIndex, 1);
    EXPECT_EQ(app.Panel().PassCounterText(), "次數1/2");
    EXPECT_EQ(app.Navigator().GetViewerPosition().z, 0.0f);  // back at the start
    host.Tick(app);
    EXPECT_NEAR(app.Navigator().GetViewerPosition().z, 10.0f, 1e-4f);
    host.Tick(app);  // Shift again: fine steps
    app.NextDesign();
    EXPECT_EQ(app.designIndex, 1);
    host.Tick(app);
    EXPECT_NEAR(app.Navigator().GetViewerPosition().z, 10.0f, 1e-4f);
    host.Tick(app);
    app.PreviousDesign();
    EXPECT_EQ(app.designIndex, 0);
    host.Tick(app);
    EXPECT_NEAR(app.Navigator().GetViewerPosition().z, 10.0f, 1e-4f);
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
    EXPECT_EQ(app.Panel().PassCounterText(), "次數0/1");
    EXPECT_EQ(app.Panel().FrameTitle(), "Roamer-a-播放中");
    // Paused, the counter shows the pass in progress; ready, the pass a Play would start.
    app.Pause();
    OptionsDialogModel paused = app.BeginOptions();
    paused.values.repeatCount = 4;
    app.EndOptions(paused, true);
    EXPECT_EQ(app.Panel().PassCounterText(), "次數0/4");
    EXPECT_EQ(app.state, PS_PAUSED);
    EXPECT_FALSE(host.TimerRunning(PlayerApp::kPlayTimer));
    paused.values.repeatCount = 1;
    app.EndOptions(paused, true);
    app.Play();
    PlayUntilReady();
    EXPECT_EQ(app.state, PS_READY);  // ended after the pass in progress
    OptionsDialogModel ready = app.BeginOptions();
    ready.values.repeatCount = 2;
    app.EndOptions(ready, true);
    EXPECT_EQ(app.Panel().PassCounterText(), "次數0/2");
    // A dialog that was cancelled changes nothing.
    ready.values.repeatCount = 7;
    app.EndOptions(ready, false);
    EXPECT_EQ(app.settings.repeatCount, 2);
    EXPECT_EQ(app.Panel().PassCounterText(), "次數0/2");
}

// Opening a list while playing stops playback first: no timer keeps replaying the old walk.
TEST_F(PlayerScenario, OpeningAListWhilePlayingStops) {
    WritePath("a", 50);
    OpenDesigns({"a"});
    app.PressPlay();
    OpenDesigns({"a", "b"});
    EXPECT_EQ(app.state, PS_READY);
    EXPECT_FALSE(host.TimerRunning(PlayerApp::kPlayTimer));
    EXPECT_EQ(app.Panel().DesignCounterText(), "選播1/2");
    app.PressPlay();
    host.dialogAnswers.push_back({true, dir.Path(), {dir.Write("list.vol", "b.dsg\r\n")}});
    app.PressOpenPlayList();
    EXPECT_EQ(app.state, PS_READY);
    EXPECT_FALSE(host.TimerRunning(PlayerApp::kPlayTimer));
    EXPECT_EQ(app.Panel().DesignCounterText(), "選播1/1");
}

TEST_F(PlayerScenario, NextAndPreviousInEachState) {
    WritePath("a", 50);
    WritePath("b", 50);
    WritePath("c", 50);
    OpenDesigns({"a", "b", "c"});
    // Ready: only the counter moves, over the designs a Play would start from.
    for (const char* expected : {"選播2/3", "選播3/3", "選播3/3"}) {
        app.NextDesign();
        EXPECT_EQ(app.Panel().DesignCounterText(), expected);
        EXPECT_EQ(app.Panel().PassCounterText(), "次數0/1");
    }
    EXPECT_EQ(app.loadedEntry, dir.File("a.dsg"));
    for (const char* expected : {"選播2/3", "選播1/3", "選播1/3"}) {
        app.PreviousDesign();
        EXPECT_EQ(app.Panel().DesignCounterText(), expected);
    }
    app.NextDesign();
    app.PressPlay();  // from the design the counter shows
    EXPECT_EQ(app.designIndex, 1);
    EXPECT_EQ(app.Panel().FrameTitle(), "Roamer-b-播放中");
    app.PreviousDesign();
    EXPECT_EQ(app.designIndex, 0);
    EXPECT_EQ(app.Panel().DesignCounterText(), "選播1/3");
    app.PreviousDesign();  // the first design plays: nothing
    EXPECT_EQ(app.designIndex, 0);
    EXPECT_TRUE(host.TimerRunning(PlayerApp::kPlayTimer));
    // A selection in the design that goes leaves with it.
    app.SelectObject(app.Design()->Furniture().GetAt(0));
    app.NextDesign();
    EXPECT_EQ(app.Selected(), nullptr);
    EXPECT_FALSE(app.Selection()->IsShown());
    app.NextDesign();
    EXPECT_EQ(app.designIndex, 2);
    EXPECT_EQ(app.Panel().FrameTitle(), "Roamer-c-播放中");
    EXPECT_EQ(app.Panel().DesignCounterText(), "選播3/3");
    app.NextDesign();  // the last design plays: nothing
    EXPECT_EQ(app.designIndex, 2);
    EXPECT_TRUE(host.TimerRunning(PlayerApp::kPlayTimer));
    app.Pause();
    app.PreviousDesign();
    app.NextDesign();
    EXPECT_EQ(app.designIndex, 2);
    EXPECT_EQ(app.state, PS_PAUSED);
    app.Play();
    app.PreviousDesign();
    EXPECT_EQ(app.designIndex, 1);
    EXPECT_EQ(app.Panel().FrameTitle(), "Roamer-b-播放中");
    EXPECT_EQ(app.Navigator().GetViewerPosition().z, 0.0f);  // at the start of b's walk
}

// Previous onto a design without a browse path hands over to the designs after it.
TEST_F(PlayerScenario, PreviousPassesOverADesignWithoutAPath) {
    WritePath("a", 50);
    WritePath("c", 50);
    OpenDesigns({"a", "b", "c"});
    app.NextDesign();
    app.NextDesign();
    app.PressPlay();
    EXPECT_EQ(app.designIndex, 2);
    app.PreviousDesign();  // b has none: c plays again
    EXPECT_EQ(app.state, PS_PLAYING);
    EXPECT_EQ(app.designIndex, 2);
    EXPECT_EQ(app.Panel().FrameTitle(), "Roamer-c-播放中");
    EXPECT_TRUE(host.TimerRunning(PlayerApp::kPlayTimer));
}

// The view shows 500 pixels a unit on its front plane at every size.
TEST_F(PlayerScenario, ResizingKeepsTheScale) {
    OpenDesigns({"a"});
    float left = 0, right = 0, bottom = 0, top = 0;
    ASSERT_EQ(app.Engine().GetViewPlane(&left, &right, &bottom, &top), 0);
    EXPECT_FLOAT_EQ(right, 0.5f * 64 / 500);
    EXPECT_FLOAT_EQ(top, 0.5f * 48 / 500);
    app.OnViewSize(200, 100);
    ASSERT_EQ(app.Engine().GetViewPlane(&left, &right, &bottom, &top), 0);
    EXPECT_FLOAT_EQ(left, -0.2f);
    EXPECT_FLOAT_EQ(right, 0.2f);
    EXPECT_FLOAT_EQ(bottom, -0.1f);
    EXPECT_FLOAT_EQ(top, 0.1f);
    EXPECT_EQ(app.Engine().GetWidth(), 200);
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

// A design the list names but that is not there: the message shows where it was looked for.
TEST_F(PlayerScenario, AMissingDesignIsNamedWhereItWasLookedFor) {
    WritePath("a", 1);
    host.dialogAnswers.push_back(
        {true, dir.Path(), {dir.Write("list.vol", "gone.dsg\r\nC:\\rooms\\lost.dsg\r\na.dsg\r\n")}});
    app.PressOpenPlayList();
    app.PressPlay();
    EXPECT_EQ(app.designIndex, 2);
    const std::vector<std::string>& shown = host.recorder.Messages();
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[shown.size() - 2], "無法開啟檔案-" + dir.File("gone.dsg") + "!");
    EXPECT_EQ(shown.back(), "無法開啟檔案-C:/rooms/lost.dsg!");
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
    // What the panel showed when it was last drawn: the panel as it stands after each opening.
    std::string drawn;
    const auto panelNow = [&] {
        return app.Panel().FrameTitle() + " " + app.Panel().StateText() + " " +
               app.Panel().DesignCounterText() + " " + app.Panel().PassCounterText();
    };
    host.onPanelChanged = [&] { drawn = panelNow(); };
    openList("A.DsG\r\nc.dsg\r\n");  // relative entries, any case of DSG
    EXPECT_EQ(drawn, panelNow());
    EXPECT_EQ(host.dialogs.back().title, "開啟播放表");
    EXPECT_EQ(host.dialogs.back().initialName, "default.vol");
    EXPECT_EQ(host.dialogs.back().defaultExtension, ".vol");
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

// Before the sequencer replaces a modified design it asks; Cancel, or a save that does not
// happen, keeps the design on screen and stops playback.
TEST_F(PlayerScenario, AModifiedDesignIsNotReplacedWithoutAsking) {
    WritePath("a", 1);
    WritePath("b", 1);
    OpenDesigns({"a", "b"});
    const float z = FirstPieceZ();
    MoveFirstPiece();
    const std::size_t asked = host.recorder.Questions().size();
    host.recorder.ScriptAnswers({Host::Answer::kCancel});
    app.PressPlay();                 // a is on screen already: it plays without a question
    EXPECT_EQ(host.recorder.Questions().size(), asked);
    PlayUntilReady();                // the end of its pass would load b
    ASSERT_EQ(host.recorder.Questions().size(), asked + 1);
    EXPECT_EQ(host.recorder.Questions().back(), "設計案已修改!是否儲存?");
    EXPECT_TRUE(host.questionsWithCancel.back());
    EXPECT_EQ(app.state, PS_READY);
    EXPECT_FALSE(host.TimerRunning(PlayerApp::kPlayTimer));
    EXPECT_EQ(app.loadedEntry, dir.File("a.dsg"));
    EXPECT_EQ(FirstPieceZ(), z + 10.0f);  // the edit is still there
    EXPECT_TRUE(app.modified);

    // Yes, but the save dialog is cancelled: the same as Cancel.
    app.PressPlay();
    host.recorder.ScriptAnswers({Host::Answer::kYes});
    app.NextDesign();
    EXPECT_EQ(app.state, PS_READY);
    EXPECT_EQ(app.loadedEntry, dir.File("a.dsg"));
    EXPECT_TRUE(app.modified);

    // No: the edits go, b plays, and nothing is asked at the next change.
    app.PressPlay();
    host.recorder.ScriptAnswers({Host::Answer::kNo});
    app.NextDesign();
    EXPECT_EQ(app.state, PS_PLAYING);
    EXPECT_EQ(app.loadedEntry, dir.File("b.dsg"));
    EXPECT_FALSE(app.modified);
    const std::size_t after = host.recorder.Questions().size();
    app.PreviousDesign();
    EXPECT_EQ(app.loadedEntry, dir.File("a.dsg"));
    EXPECT_EQ(FirstPieceZ(), z);  // read again from the file
    EXPECT_EQ(host.recorder.Questions().size(), after);
}

// "Yes" saves the design under the name the user gives, the next design loads, and the saved
// design is not asked about again.
TEST_F(PlayerScenario, YesSavesBeforeTheNextDesignLoads) {
    WritePath("a", 50);
    WritePath("b", 50);
    OpenDesigns({"a", "b"});
    const float z = FirstPieceZ();
    MoveFirstPiece();
    app.PressPlay();
    host.recorder.ScriptAnswers({Host::Answer::kYes});
    const std::string saved = dir.File("saved.dsg");
    host.dialogAnswers.push_back({true, dir.Path(), {saved}});
    app.NextDesign();
    ASSERT_TRUE(host.dialogs.back().save);
    EXPECT_EQ(app.state, PS_PLAYING);
    EXPECT_EQ(app.loadedEntry, dir.File("b.dsg"));
    EXPECT_FALSE(app.modified);
    // The saved file holds the edit.
    app.Stop();
    OpenDesigns({"saved"});
    EXPECT_EQ(FirstPieceZ(), z + 10.0f);
    const std::size_t asked = host.recorder.Questions().size();
    app.Close();
    EXPECT_EQ(host.recorder.Questions().size(), asked);
}

// A save that succeeds clears `modified` wherever it was asked for: the options dialog, the
// question before opening a list.
TEST_F(PlayerScenario, ASuccessfulSaveLeavesNothingToAsk) {
    OpenDesigns({"a"});
    MoveFirstPiece();
    host.recorder.ScriptAnswers({Host::Answer::kYes});
    host.dialogAnswers.push_back({true, dir.Path(), {dir.File("one.dsg")}});
    host.dialogAnswers.push_back({true, dir.Path(), {dir.File("a.dsg")}});
    app.PressOpenDesigns();  // asks, saves, then opens a again
    EXPECT_EQ(host.recorder.Questions().size(), 1u);
    EXPECT_FALSE(app.modified);
    EXPECT_TRUE(std::filesystem::exists(dir.File("one.dsg")));

    MoveFirstPiece();
    SetEditMode(true);
    OptionsDialogModel dialog = app.BeginOptions();
    ASSERT_TRUE(dialog.SaveEnabled());
    host.dialogAnswers.push_back({true, dir.Path(), {dir.File("two.dsg")}});
    dialog.Save();
    EXPECT_FALSE(app.modified);
    // A failed save keeps the edits marked.
    MoveFirstPiece();
    EXPECT_FALSE(app.SaveDesign());  // the save dialog is cancelled
    EXPECT_TRUE(app.modified);
    host.dialogAnswers.push_back({true, dir.Path(), {dir.File("three.dsg")}});
    EXPECT_TRUE(app.SaveDesign());
    EXPECT_FALSE(app.modified);
    app.Close();
    EXPECT_EQ(host.recorder.Questions().size(), 1u);
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
    // The marker's arrow points up, 5 units over the model.
    rm::Box model, marker;
    piece->GetMesh()->GetBox(&model);
    app.Selection()->GetMarker()->GetBox(&marker);
    EXPECT_NEAR(marker.max.y, model.max.y + 5.0f, 1e-4f);
    // Heading 0: dragging up the screen moves the piece towards +z, one unit a pixel.
    app.Navigator().heading = 0.0;
    const rm::Vector3 before = piece->GetPosition();
    app.OnLeftButtonDown(-1000, -1000);  // picks nothing: the selection goes
    EXPECT_EQ(app.Selected(), nullptr);
    app.SelectObject(piece);
    const rm::Vector3 markerBefore = app.Selection()->GetFrame()->WorldTransform().origin;
    app.OnMouseMove(-1000, -1010);
    EXPECT_NEAR(piece->GetPosition().z, before.z + 10.0f, 1e-4f);
    EXPECT_TRUE(app.modified);
    // The marker hangs in the piece's model frame, so it went along.
    EXPECT_NEAR(app.Selection()->GetFrame()->WorldTransform().origin.z, markerBefore.z + 10.0f,
                1e-4f);

    OptionsDialogModel off = app.BeginOptions();
    off.values.editMode = false;
    app.EndOptions(off, true);
    EXPECT_EQ(app.Selected(), nullptr);
    EXPECT_FALSE(app.Selection()->IsShown());
}

// Every kind of edit drag and wheel turn, in both directions: where the piece stands and how
// it is turned afterwards. The piece starts at (20, 0, 40) turned 0.5 rad; the viewer looks
// along +z unless the case says otherwise; the view is 64 pixels wide.
TEST_F(PlayerScenario, EditDragsAndWheelMoveAndTurnThePiece) {
    OpenDesigns({"a"});
    SetEditMode(true);
    model::CFurniture* piece = app.Design()->Furniture().GetAt(0);
    ASSERT_NE(piece, nullptr);
    constexpr double kQuarter = 1.5707963;
    constexpr double kEighth = 0.7853981634;
    struct Case {
        const char* what;
        std::int32_t key;  // held during the action, 0 for none
        int dx, dy;        // a drag, or
        int wheel;         // a wheel turn
        double heading;
        rm::Vector3 position;
        double angle;
    };
    const Case cases[] = {
        {"drag up", 0, 0, -10, 0, 0.0, {20.0f, 0.0f, 50.0f}, 0.5},
        {"drag down", 0, 0, 10, 0, 0.0, {20.0f, 0.0f, 30.0f}, 0.5},
        {"drag right", 0, 10, 0, 0, 0.0, {30.0f, 0.0f, 40.0f}, 0.5},
        {"drag left", 0, -10, 0, 0, 0.0, {10.0f, 0.0f, 40.0f}, 0.5},
        {"drag up-right", 0, 6, -8, 0, 0.0, {26.0f, 0.0f, 48.0f}, 0.5},
        {"drag up facing -x", 0, 0, -10, 0, kQuarter, {10.0f, 0.0f, 40.0f}, 0.5},
        {"shift drag up", 16, 0, -10, 0, 0.0, {20.0f, 5.0f, 40.0f}, 0.5},
        {"shift drag down", 16, 0, 10, 0, 0.0, {20.0f, -5.0f, 40.0f}, 0.5},
        {"ctrl drag right", 17, 16, 0, 0, 0.0, {20.0f, 0.0f, 40.0f}, 0.5 + kQuarter},
        {"ctrl drag left", 17, -16, 0, 0, 0.0, {20.0f, 0.0f, 40.0f}, 0.5 - kQuarter + 6.2831852},
        {"space drag right", 32, 10, 0, 0, 0.0, {20.0f, 0.0f, 40.0f}, kEighth},
        {"space drag left", 32, -10, 0, 0, 0.0, {20.0f, 0.0f, 40.0f}, 0.0},
        {"space drag too short", 32, 9, 0, 0, 0.0, {20.0f, 0.0f, 40.0f}, 0.5},
        {"wheel up", 0, 0, 0, 120, 0.0, {20.0f, 5.0f, 40.0f}, 0.5},
        {"wheel down", 0, 0, 0, -120, 0.0, {20.0f, -5.0f, 40.0f}, 0.5},
        {"shift wheel up", 16, 0, 0, 120, 0.0, {20.0f, 1.0f, 40.0f}, 0.5},
        {"ctrl wheel up", 17, 0, 0, 120, 0.0, {20.0f, 0.0f, 40.0f}, 0.5 + nav::Navigator::kTurnStep},
        {"ctrl wheel down", 17, 0, 0, -120, 0.0, {20.0f, 0.0f, 40.0f},
         0.5 - nav::Navigator::kTurnStep},
        {"space wheel up", 32, 0, 0, 120, 0.0, {20.0f, 0.0f, 40.0f}, kEighth},
        {"space wheel down", 32, 0, 0, -120, 0.0, {20.0f, 0.0f, 40.0f}, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        piece->SetPosition({20.0f, 0.0f, 40.0f});
        piece->SetAngleXZ(0.5);
        app.modified = false;
        app.Navigator().heading = c.heading;
        if (c.key != 0) app.OnKeyDown(c.key);
        app.OnLeftButtonDown(-1000, -1000);  // picks nothing: the selection goes
        EXPECT_EQ(app.Selected(), nullptr);
        app.SelectObject(piece);
        if (c.wheel != 0) {
            app.OnLeftButtonUp();
            app.OnMouseWheel(c.wheel);
        } else {
            app.OnMouseMove(-1000 + c.dx, -1000 + c.dy);
            app.OnLeftButtonUp();
        }
        if (c.key != 0) app.OnKeyUp(c.key);
        const rm::Vector3 p = piece->GetPosition();
        EXPECT_NEAR(p.x, c.position.x, 1e-4f);
        EXPECT_NEAR(p.y, c.position.y, 1e-4f);
        EXPECT_NEAR(p.z, c.position.z, 1e-4f);
        EXPECT_NEAR(piece->GetAngleXZ(), c.angle, 1e-6);
        EXPECT_EQ(app.modified, std::string(c.what) != "space drag too short");
    }

    // The wheel's height change stays when the piece is dragged afterwards.
    piece->SetPosition({20.0f, 0.0f, 40.0f});
    app.Navigator().heading = 0.0;
    app.OnLeftButtonDown(-1000, -1000);
    app.SelectObject(piece);
    app.OnMouseWheel(120);
    app.OnMouseMove(-990, -1000);
    app.OnLeftButtonUp();
    EXPECT_EQ(piece->GetPosition(), (rm::Vector3{30.0f, 5.0f, 40.0f}));
    // Moving the mouse without a button held moves nothing.
    app.SelectObject(piece);
    app.OnMouseMove(-900, -900);
    EXPECT_EQ(piece->GetPosition(), (rm::Vector3{30.0f, 5.0f, 40.0f}));
    // Without a selection the wheel changes nothing.
    app.ClearSelection();
    app.modified = false;
    app.OnMouseWheel(120);
    EXPECT_FALSE(app.modified);
    EXPECT_EQ(piece->GetPosition(), (rm::Vector3{30.0f, 5.0f, 40.0f}));
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
    // Each offset is rounded to the nearest whole unit, away from zero at a half.
    struct Offsets {
        double length, m;
        int du, dv;
    };
    for (const Offsets& o : {Offsets{10.0, 30.0, 9, 5}, Offsets{10.0, 200.0, -9, -3},
                             Offsets{10.0, 330.0, 9, -5}, Offsets{10.9, 0.0, 10, 0},
                             Offsets{10.9, 180.0, -10, 0}, Offsets{10.9, 270.0, 0, -10},
                             Offsets{10.0, 120.0, -5, 9}, Offsets{10.0, -1.0, 0, 0}}) {
        PlayerApp::FloorOffsets(o.length, o.m, du, dv);
        EXPECT_EQ(du, o.du) << o.m;
        EXPECT_EQ(dv, o.dv) << o.m;
    }
}

TEST_F(PlayerScenario, WheelInNormalModeRaisesAndLowersTheEye) {
    OpenDesigns({"a"});
    app.Navigator().SetViewerPosition({0.0f, 3.0f, 0.0f});
    app.OnMouseWheel(-120);
    EXPECT_EQ(app.Navigator().GetViewerPosition().y, 1.5f);  // never below 1.5
    app.OnMouseWheel(120);
    EXPECT_EQ(app.Navigator().GetViewerPosition().y, 5.5f);
    app.OnMouseWheel(-120);
    EXPECT_EQ(app.Navigator().GetViewerPosition().y, 1.5f);
    app.Navigator().SetViewerPosition({0.0f, 30.0f, 0.0f});
    app.OnMouseWheel(-120);
    EXPECT_EQ(app.Navigator().GetViewerPosition().y, 26.0f);
}

// One mouse-drive tick for each way of holding the mouse, in both directions: where the eye
// is and which way it looks afterwards. The pointer is 20 pixels (two units) from the press
// point; the eye starts at (0, 20, 0) looking along +z.
TEST_F(PlayerScenario, MouseDriveMovesTheWayThePointerPoints) {
    OpenDesigns({"a"});
    struct Case {
        const char* what;
        bool right;    // the right button, else the left
        bool control;  // Ctrl held
        int dx, dy;
        rm::Vector3 eye;
        double heading;  // degrees, 0..360
        double pitch;    // degrees
    };
    const Case cases[] = {
        {"forward", false, false, 0, -20, {0.0f, 20.0f, 2.0f}, 0.0, 0.0},
        {"backward", false, false, 0, 20, {0.0f, 20.0f, -2.0f}, 0.0, 0.0},
        {"turn right", false, false, 20, 0, {0.0f, 20.0f, 0.0f}, 358.0, 0.0},
        {"turn left", false, false, -20, 0, {0.0f, 20.0f, 0.0f}, 2.0, 0.0},
        {"look up", true, false, 0, -20, {0.0f, 20.0f, 0.0f}, 0.0, 2.0},
        {"look down", true, false, 0, 20, {0.0f, 20.0f, 0.0f}, 0.0, -2.0},
        {"rise", false, true, 0, -20, {0.0f, 22.0f, 0.0f}, 0.0, 0.0},
        {"sink", false, true, 0, 20, {0.0f, 18.0f, 0.0f}, 0.0, 0.0},
        {"slide right", false, true, 20, 0, {2.0f, 20.0f, 0.0f}, 0.0, 0.0},
        {"slide left", false, true, -20, 0, {-2.0f, 20.0f, 0.0f}, 0.0, 0.0},
        {"too close to move", false, false, 9, -9, {0.0f, 20.0f, 0.0f}, 0.0, 0.0},
    };
    constexpr double kDeg = 0.017453292;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        app.Navigator().SetViewerPosition({0.0f, 20.0f, 0.0f});
        app.Navigator().SetHeading(0.0);
        app.Navigator().SetPitch(0.0);
        if (c.control) app.OnKeyDown(17);
        if (c.right)
            app.OnRightButtonDown(100, 100);
        else
            app.OnLeftButtonDown(100, 100);
        EXPECT_EQ(host.TimerInterval(PlayerApp::kPlayTimer), 10);
        app.OnMouseMove(100 + c.dx, 100 + c.dy);
        EXPECT_EQ(host.Tick(app), PlayerApp::kPlayTimer);
        if (c.right)
            app.OnRightButtonUp();
        else
            app.OnLeftButtonUp();
        if (c.control) app.OnKeyUp(17);
        EXPECT_FALSE(host.TimerRunning(PlayerApp::kPlayTimer));
        EXPECT_FALSE(app.mouseDrive);
        const rm::Vector3 eye = app.Navigator().GetViewerPosition();
        EXPECT_NEAR(eye.x, c.eye.x, 1e-4f);
        EXPECT_NEAR(eye.y, c.eye.y, 1e-4f);
        EXPECT_NEAR(eye.z, c.eye.z, 1e-4f);
        EXPECT_NEAR(app.Navigator().heading, c.heading * kDeg, 1e-6);
        EXPECT_NEAR(app.Navigator().pitch, c.pitch * kDeg, 1e-9);
        // The release forgot the offsets: holding the button again without moving does nothing.
        app.OnLeftButtonDown(100, 100);
        host.Tick(app);
        app.OnLeftButtonUp();
        EXPECT_EQ(app.Navigator().GetViewerPosition(), eye);
    }
    // A press at the view's top left corner drives as well.
    app.Navigator().SetViewerPosition({0.0f, 20.0f, 0.0f});
    app.Navigator().SetHeading(0.0);
    app.OnLeftButtonDown(0, 0);
    app.OnMouseMove(0, -20);
    host.Tick(app);
    app.OnLeftButtonUp();
    EXPECT_NEAR(app.Navigator().GetViewerPosition().z, 2.0f, 1e-4f);
    // Sinking stops at an eye height of 1.5.
    app.Navigator().SetViewerPosition({0.0f, 2.5f, 0.0f});
    app.OnKeyDown(17);
    app.OnLeftButtonDown(100, 100);
    app.OnMouseMove(100, 130);
    host.Tick(app);
    app.OnLeftButtonUp();
    app.OnKeyUp(17);
    EXPECT_EQ(app.Navigator().GetViewerPosition().y, 1.5f);
}

// A press of either button in the 3D view stops playback and drives the viewer instead.
TEST_F(PlayerScenario, AMousePressStopsPlayback) {
    WritePath("a", 50);
    OpenDesigns({"a"});
    for (const bool right : {false, true}) {
        app.PressPlay();
        ASSERT_EQ(app.state, PS_PLAYING);
        if (right)
            app.OnRightButtonDown(10, 10);
        else
            app.OnLeftButtonDown(10, 10);
        EXPECT_EQ(app.state, PS_READY);
        EXPECT_TRUE(app.mouseDrive);
        EXPECT_EQ(host.TimerInterval(PlayerApp::kPlayTimer), 10);
        EXPECT_EQ(app.Panel().FrameTitle(), "Roamer-[準備播放]");
        if (right)
            app.OnRightButtonUp();
        else
            app.OnLeftButtonUp();
    }
}

TEST_F(PlayerScenario, MouseDriveStopsAtWallsWhenCollisionIsOn) {
    // The design's wall runs along x from 0 to 100 at z 0..5, with a door from x 30 to 60; the
    // same wall is drawn at 2 and at 5 plan units a scene unit.
    std::string fine = roamer::test::ReadWholeFile(dir.File("a.dsg"));
    const auto replace = [&](const std::string& from, const std::string& to) {
        const std::size_t at = fine.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        fine.replace(at, from.size(), to);
    };
    replace("    200.00000000,0.00000000\r\n    200.00000000,10.00000000\r\n"
            "    0.00000000,10.00000000",
            "    500.00000000,0.00000000\r\n    500.00000000,25.00000000\r\n"
            "    0.00000000,25.00000000");
    replace("2Dto3D\r\n    2.00000000", "2Dto3D\r\n    5.00000000");
    dir.Write("fine.dsg", fine);
    for (const char* name : {"a", "fine"}) {
        SCOPED_TRACE(name);
        OpenDesigns({name});
        OptionsDialogModel dialog = app.BeginOptions();
        dialog.values.wallCollision = true;
        app.EndOptions(dialog, true);
        // Walking towards +z ten units a tick: beside the door the wall stops the viewer.
        const auto walk = [&](float x) {
            app.Navigator().SetHeading(0.0);
            app.Navigator().SetViewerPosition({x + 0.5f, 50.0f, -55.7f});
            app.OnLeftButtonDown(100, 100);
            app.OnMouseMove(100, 0);
            for (int i = 0; i < 10; ++i) host.Tick(app);
            app.OnLeftButtonUp();
            return app.Navigator().GetViewerPosition();
        };
        // At -5.7 the next tick would cross: the viewer stays there, cut to whole units.
        EXPECT_EQ(walk(80.0f), (rm::Vector3{80.0f, 50.0f, -5.0f}));
        EXPECT_GT(walk(45.0f).z, 5.0f);   // through the door
        EXPECT_GT(walk(150.0f).z, 5.0f);  // past the wall's end
        // Sliding sideways with Ctrl is stopped the same way: facing -x, right is +z.
        app.Navigator().SetHeading(3.14159265358979 / 2);
        app.Navigator().SetViewerPosition({80.5f, 50.0f, -5.7f});
        app.OnKeyDown(17);
        app.OnLeftButtonDown(100, 100);
        app.OnMouseMove(200, 100);
        host.Tick(app);
        app.OnLeftButtonUp();
        app.OnKeyUp(17);
        EXPECT_EQ(app.Navigator().GetViewerPosition(), (rm::Vector3{80.0f, 50.0f, -5.0f}));
    }
}

// The sample flat: its outer wall on the -z side stands at z -260..-250, one plan unit a scene
// unit; the walk is along -z at x -200, away from every other wall.
TEST_F(PlayerScenario, CollisionStopsAtTheWallsOfTheSampleFlat) {
    const std::string samples = std::string(std::getenv("ROAMER_TEST_DATA")) + "/../../samples";
    host.dialogAnswers.push_back({true, samples, {samples + "/兩房公寓.dsg"}});
    app.PressOpenDesigns();
    ASSERT_GT(app.Design()->Walls().size(), 0u);
    OptionsDialogModel dialog = app.BeginOptions();
    dialog.values.wallCollision = true;
    app.EndOptions(dialog, true);
    const auto walk = [&](float z, int steps) {
        app.Navigator().SetHeading(3.14159265358979);
        app.Navigator().SetViewerPosition({-200.0f, 165.0f, z});
        for (int i = 0; i < steps; ++i) app.OnKeyDown(nav::CPS_GO_FRONT);
        return app.Navigator().GetViewerPosition().z;
    };
    EXPECT_FLOAT_EQ(walk(-100.0f, 3), -130.0f);  // open floor
    EXPECT_FLOAT_EQ(walk(-200.0f, 10), -240.0f);  // stopped before the wall
}

}  // namespace
}  // namespace roamer::app
