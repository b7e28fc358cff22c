// Files named on the command line or dropped on a window open as the panel's dialogs open them.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "app/player_app.h"
#include "app/scripted_player_host.h"
#include "nav/browse_file.h"
#include "support/temp_dir.h"

namespace roamer::app {
namespace {

class PlayerFiles : public ::testing::Test {
protected:
    void SetUp() override {
        const char* root = std::getenv("ROAMER_TEST_DATA");
        ASSERT_NE(root, nullptr);
        std::filesystem::copy(std::string(root) + "/designs", dir.Path(),
                              std::filesystem::copy_options::recursive);
        std::filesystem::copy_file(dir.File("room246.dsg"), dir.File("a.dsg"));
        std::filesystem::copy_file(dir.File("room246.dsg"), dir.File("B.DSG"));
        // A walk of a few steps beside a.dsg, so that it plays.
        nav::BrowsePath path;
        path.SetHeadPosition({{0.0f, 50.0f, 0.0f}, 0.0, 0.0});
        for (int i = 0; i < 3; ++i) path.AddName("CPS_GO_FRONT");
        RecordingHost quiet;
        nav::CBrowseFile file(quiet);
        ASSERT_TRUE(file.OpenWrite(dir.File("a.rcd")));
        ASSERT_TRUE(file.WritePath(path));
        ASSERT_TRUE(file.Close());
    }

    void WriteFile(const std::string& name, const std::string& bytes) {
        std::ofstream(dir.File(name), std::ios::binary) << bytes;
    }

    roamer::test::TempDir dir;
    test::ScriptedPlayerHost host;
    PlayerApp app{host, "/"};
};

TEST_F(PlayerFiles, DesignsOpenAsASelectionAndTheFirstIsShown) {
    ASSERT_TRUE(app.OpenFiles({dir.File("a.dsg"), dir.File("B.DSG")}));
    EXPECT_TRUE(host.dialogs.empty());
    EXPECT_TRUE(host.recorder.Messages().empty());
    EXPECT_EQ(app.state, PS_READY);
    EXPECT_TRUE(app.ViewOpen());
    EXPECT_EQ(app.playList, (std::vector<std::string>{dir.File("a.dsg"), dir.File("B.DSG")}));
    EXPECT_EQ(app.loadedEntry, dir.File("a.dsg"));
    EXPECT_EQ(app.Panel().DesignCounterText(), "選播1/2");
}

TEST_F(PlayerFiles, ARelativePlayListIsFoundFromTheCurrentFolderAndPlays) {
    WriteFile("rooms.vol", "a.dsg\r\nB.DSG\r\n");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const bool opened = app.OpenFiles({"./rooms.vol"});
    std::filesystem::current_path(before);
    ASSERT_TRUE(opened);
    EXPECT_EQ(app.designCount, 2);
    EXPECT_EQ(app.playListFolder, dir.File(""));
    EXPECT_EQ(app.loadedEntry, "a.dsg");
    app.PressPlay();
    EXPECT_EQ(app.state, PS_PLAYING);
    EXPECT_EQ(app.designIndex, 0);
}

TEST_F(PlayerFiles, WhatTheDialogsWouldRefuseGivesTheirMessages) {
    WriteFile("rooms.vol", "a.dsg\r\n");
    WriteFile("notes.txt", "hello\r\n");
    struct Case {
        std::vector<std::string> files;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{dir.File("rooms.vol"), dir.File("a.dsg")}, "錯誤的播放表!"},    // a mix
        {{dir.File("rooms.vol"), dir.File("rooms.vol")}, "錯誤的播放表!"},  // two lists
        {{dir.File("notes.txt")}, "錯誤的播放表!"},
        {{dir.File("missing.vol")}, "讀取播放表失敗!"},
    };
    for (const Case& c : cases) {
        test::ScriptedPlayerHost quiet;
        PlayerApp fresh{quiet, "/"};
        EXPECT_FALSE(fresh.OpenFiles(c.files)) << c.files.front();
        ASSERT_EQ(quiet.recorder.Messages().size(), 1u) << c.files.front();
        EXPECT_EQ(quiet.recorder.Messages().front(), c.message);
        EXPECT_FALSE(fresh.ViewOpen());
    }
    EXPECT_FALSE(app.OpenFiles({}));
}

TEST_F(PlayerFiles, AMissingDesignShowsWhatTheDesignDialogWouldShow) {
    const std::vector<std::string> files = {dir.File("gone.dsg")};
    test::ScriptedPlayerHost viaDialog;
    PlayerApp other{viaDialog, "/"};
    viaDialog.dialogAnswers.push_back({true, dir.Path(), files});
    other.PressOpenDesigns();

    app.OpenFiles(files);
    EXPECT_FALSE(host.recorder.Messages().empty());
    EXPECT_EQ(host.recorder.Messages(), viaDialog.recorder.Messages());
    EXPECT_EQ(app.state, other.state);
}

TEST_F(PlayerFiles, AMixWhilePlayingStopsAndEmptiesTheListAsABadListDoes) {
    ASSERT_TRUE(app.OpenFiles({dir.File("a.dsg")}));
    app.PressPlay();
    ASSERT_EQ(app.state, PS_PLAYING);
    WriteFile("rooms.vol", "a.dsg\r\n");
    EXPECT_FALSE(app.OpenFiles({dir.File("a.dsg"), dir.File("rooms.vol")}));
    EXPECT_EQ(app.state, PS_NOLIST);
    EXPECT_TRUE(app.playList.empty());
    EXPECT_EQ(app.Panel().DesignCounterText(), "選播0/0");
    EXPECT_FALSE(host.TimerRunning(PlayerApp::kPlayTimer));
}

TEST_F(PlayerFiles, UnsavedChangesAreAskedAboutFirst) {
    ASSERT_TRUE(app.OpenFiles({dir.File("a.dsg")}));
    app.modified = true;
    host.recorder.ScriptAnswers({Host::Answer::kCancel});
    EXPECT_FALSE(app.OpenFiles({dir.File("a.dsg"), dir.File("B.DSG")}));
    EXPECT_EQ(host.recorder.Questions().back(), "設計案已修改!是否儲存?");
    EXPECT_EQ(app.designCount, 1);  // Cancel: nothing changed
    EXPECT_TRUE(app.modified);

    host.recorder.ScriptAnswers({Host::Answer::kNo});
    EXPECT_TRUE(app.OpenFiles({dir.File("a.dsg"), dir.File("B.DSG")}));
    EXPECT_EQ(app.designCount, 2);
}

}  // namespace
}  // namespace roamer::app
