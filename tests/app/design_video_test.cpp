// The video of the design on screen as the player's menu makes it, without any window: the
// unsaved-changes question before it, playback held around it, its file name and its texts.
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "app/clock_text.h"
#include "app/design_video.h"
#include "app/player_app.h"
#include "app/scripted_player_host.h"
#include "app/video_export_job.h"
#include "nav/browse_file.h"
#include "platform/gl/offscreen_surface.h"
#include "support/temp_dir.h"

namespace roamer::app {
namespace {

namespace dv = design_video;

TEST(DesignVideoNames, TheDesignsNameInItsFolderAndMp4WhenNoExtensionWasTyped) {
    EXPECT_EQ(dv::DefaultVideoPath("/home/u/設計/臥室.dsg"), "/home/u/設計/臥室.mp4");
    EXPECT_EQ(dv::DefaultVideoPath("/home/u/room"), "/home/u/room.mp4");
    // A name in the designs' old code page is shown, and so proposed, as readable text.
    EXPECT_EQ(dv::DefaultVideoPath("/d/\xAB\xC8\xC6\x55.dsg"), "/d/客廳.mp4");

    EXPECT_EQ(dv::WithVideoExtension("/v/walk"), "/v/walk.mp4");
    EXPECT_EQ(dv::WithVideoExtension("/v.d/walk"), "/v.d/walk.mp4");
    EXPECT_EQ(dv::WithVideoExtension("/v/walk.MP4"), "/v/walk.MP4");
    EXPECT_EQ(dv::WithVideoExtension("/v/walk.mov"), "/v/walk.mov");  // what the user asked for
    EXPECT_EQ(dv::WithVideoExtension(""), "");

    // The player's video: the design on screen, 720p at 30 frames, nothing left when stopped.
    PlayerSettings settings;
    settings.speedIndex = 3;
    const WalkVideoRequest r = dv::Request("/d/a.dsg", "/v/a.mp4", settings, "/w");
    EXPECT_EQ(r.designs, std::vector<std::string>{"/d/a.dsg"});
    EXPECT_TRUE(r.playList.empty());
    EXPECT_EQ(r.output, "/v/a.mp4");
    EXPECT_EQ(r.width, 1280);
    EXPECT_EQ(r.height, 720);
    EXPECT_EQ(r.framesPerSecond, 30);
    EXPECT_EQ(r.settings.speedIndex, 3);
    EXPECT_FALSE(r.keepPartialOnCancel);
    EXPECT_EQ(r.workFolder, "/w");
}

TEST(DesignVideoTexts, ClockTimesRoundToSecondsAndShowHoursOnlyWhenThereAreAny) {
    EXPECT_EQ(ClockText(-3.0), "0:00");
    EXPECT_EQ(ClockText(59.6), "1:00");
    EXPECT_EQ(ClockText(1800.0), "30:00");
    EXPECT_EQ(ClockText(3599.4), "59:59");
    EXPECT_EQ(ClockText(3725.0), "1:02:05");
    EXPECT_EQ(ClockText(36000.0 + 59 * 60 + 7), "10:59:07");
}

TEST(DesignVideoTexts, ProgressCountsFramesAndEstimatesTheTimeLeft) {
    WalkVideoProgress p;
    EXPECT_EQ(dv::ProgressText(p, 0.0), "已完成 0 / 0 格,剩餘時間計算中");
    EXPECT_EQ(dv::ProgressPermille(p), 0);
    p.framesTotal = 400;
    p.framesDone = 1;  // one frame is enough to estimate from
    EXPECT_EQ(dv::ProgressText(p, 1.0), "已完成 1 / 400 格,剩餘時間約 6:39");
    p.framesDone = 0;
    EXPECT_EQ(dv::ProgressText(p, 1.0), "已完成 0 / 400 格,剩餘時間計算中");
    p.framesTotal = 0;  // no length to estimate from, however much is done
    p.framesDone = 5;
    EXPECT_EQ(dv::ProgressText(p, 1.0), "已完成 5 / 5 格,剩餘時間計算中");
    p.framesDone = 0;
    EXPECT_EQ(dv::ProgressPermille(p), 0);
    p.framesTotal = 1;
    p.framesDone = 1;
    EXPECT_EQ(dv::ProgressPermille(p), 1000);
    p.framesTotal = 400;
    p.framesDone = 100;
    EXPECT_EQ(dv::ProgressText(p, 10.0), "已完成 100 / 400 格,剩餘時間約 0:30");
    EXPECT_EQ(dv::ProgressPermille(p), 250);
    // Designs found shorter than foreseen never show more done than there is.
    p.framesDone = 450;
    EXPECT_EQ(dv::ProgressText(p, 10.0), "已完成 450 / 450 格,剩餘時間約 0:00");
    EXPECT_EQ(dv::ProgressPermille(p), 1000);
}

TEST(DesignVideoTexts, TheEndSaysWhereTheVideoIsOrWhyThereIsNone) {
    WalkVideoResult written;
    written.outcome = WalkVideoOutcome::kWritten;
    written.fileWritten = true;
    written.durationMs = 65'400;
    EXPECT_EQ(dv::ResultText(written, "/v/臥室.mp4", {}), "影片已匯出至:\n/v/臥室.mp4\n(長度 1:05)");
    const std::string withNotes =
        dv::ResultText(written, "/v/a.mp4", {"1", "2", "3", "4", "5", "6", "7"});
    EXPECT_NE(withNotes.find("\n\n5"), std::string::npos);
    EXPECT_EQ(withNotes.find("\n\n6"), std::string::npos);
    EXPECT_NE(withNotes.find("\n…"), std::string::npos);
    // Five notes are all shown: nothing left out to hint at.
    EXPECT_EQ(dv::ResultText(written, "/v/a.mp4", {"1", "2", "3", "4", "5"}).find("…"),
              std::string::npos);

    WalkVideoResult stopped;
    stopped.outcome = WalkVideoOutcome::kStopped;
    EXPECT_EQ(dv::ResultText(stopped, "/v/a.mp4", {"note"}), "");

    WalkVideoResult nothing;
    nothing.outcome = WalkVideoOutcome::kNothingToPlay;
    nothing.problem = "a.dsg has no browse path (a.rcd)";
    EXPECT_EQ(dv::ResultText(nothing, "/v/a.mp4", {}),
              "這個設計案沒有瀏覽路徑,無法匯出影片。\n\n(a.dsg has no browse path (a.rcd))");
    // Each kind of failure says in the user's words what went wrong.
    WalkVideoResult unwritable;
    unwritable.outcome = WalkVideoOutcome::kCannotWrite;
    unwritable.problem = "cannot write /ro/a.mp4: Permission denied";
    EXPECT_EQ(dv::ResultText(unwritable, "/ro/a.mp4", {}).rfind("無法建立影片檔", 0), 0u);
    WalkVideoResult failed;
    failed.outcome = WalkVideoOutcome::kFailed;
    EXPECT_EQ(dv::ResultText(failed, "/v/a.mp4", {}), "影片匯出失敗,沒有留下影片檔。");
}

class DesignVideoFlow : public ::testing::Test {
protected:
    void SetUp() override {
        const char* root = std::getenv("ROAMER_TEST_DATA");
        ASSERT_NE(root, nullptr);
        std::filesystem::copy(std::string(root) + "/designs", dir.Path(),
                              std::filesystem::copy_options::recursive);
        std::filesystem::copy_file(dir.File("room246.dsg"), dir.File("a.dsg"));
        nav::BrowsePath path;
        path.SetHeadPosition({{0.0f, 50.0f, 0.0f}, 0.0, 0.0});
        for (int i = 0; i < 20; ++i) path.AddName("CPS_GO_FRONT");
        RecordingHost quiet;
        nav::CBrowseFile file(quiet);
        ASSERT_TRUE(file.OpenWrite(dir.File("a.rcd")));
        ASSERT_TRUE(file.WritePath(path));
        ASSERT_TRUE(file.Close());
    }
    long FileCount() const {
        return static_cast<long>(std::distance(std::filesystem::directory_iterator(dir.Path()),
                                               std::filesystem::directory_iterator()));
    }
    void Open() { ASSERT_TRUE(app.OpenFiles({dir.File("a.dsg")})); }

    roamer::test::TempDir dir;
    test::ScriptedPlayerHost host;
    PlayerApp app{host, "/"};
};

TEST_F(DesignVideoFlow, NothingOnScreenGivesNoDesignAndAsksNothing) {
    EXPECT_FALSE(app.DesignShown());
    app.modified = true;
    EXPECT_EQ(app.DesignFileForVideo(), "");
    EXPECT_TRUE(host.recorder.Questions().empty());
}

TEST_F(DesignVideoFlow, UnsavedEditsAreSavedFirstOrTheFileOnDiskIsUsed) {
    Open();
    ASSERT_TRUE(app.DesignShown());
    EXPECT_EQ(app.DesignFileForVideo(), dir.File("a.dsg"));  // unmodified: no question
    EXPECT_TRUE(host.recorder.Questions().empty());

    app.modified = true;
    host.recorder.ScriptAnswers({Host::Answer::kCancel});
    EXPECT_EQ(app.DesignFileForVideo(), "");
    EXPECT_EQ(host.recorder.Questions().back(), "設計案已修改!是否儲存?");
    EXPECT_TRUE(host.questionsWithCancel.back());
    EXPECT_TRUE(host.dialogs.empty());

    host.recorder.ScriptAnswers({Host::Answer::kNo});
    EXPECT_EQ(app.DesignFileForVideo(), dir.File("a.dsg"));
    EXPECT_TRUE(app.modified);  // the edits stay on screen, unsaved
    EXPECT_TRUE(host.dialogs.empty());

    // Yes, and the save dialog cancelled: no video.
    host.recorder.ScriptAnswers({Host::Answer::kYes});
    EXPECT_EQ(app.DesignFileForVideo(), "");
    EXPECT_EQ(host.dialogs.size(), 1u);

    // Yes, saved under another name: the video is made from that file.
    host.recorder.ScriptAnswers({Host::Answer::kYes});
    host.dialogAnswers.push_back({true, dir.Path(), {dir.File("b.dsg")}});
    EXPECT_EQ(app.DesignFileForVideo(), dir.File("b.dsg"));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.File("b.dsg")));
    EXPECT_FALSE(app.modified);
}

TEST_F(DesignVideoFlow, PlaybackPausesDuringTheVideoAndGoesOnOnlyIfItWasPlaying) {
    Open();
    app.PressPlay();
    ASSERT_EQ(app.state, PS_PLAYING);
    {
        const PlaybackHold hold(app);
        EXPECT_EQ(app.state, PS_PAUSED);
        EXPECT_FALSE(host.TimerRunning(PlayerApp::kPlayTimer));
    }
    EXPECT_EQ(app.state, PS_PLAYING);
    EXPECT_TRUE(host.TimerRunning(PlayerApp::kPlayTimer));

    app.Pause();
    { const PlaybackHold hold(app); }
    EXPECT_EQ(app.state, PS_PAUSED);  // the user's pause stays

    app.Play();
    {
        const PlaybackHold hold(app);
        app.Stop();  // stopped meanwhile: it stays stopped
    }
    EXPECT_EQ(app.state, PS_READY);
    EXPECT_FALSE(host.TimerRunning(PlayerApp::kPlayTimer));
}

std::unique_ptr<rm::RenderSurface> Offscreen(int width, int height) {
    std::unique_ptr<gl::OffscreenSurface> surface;
    if (gl::OffscreenSurface::Create(width, height, &surface) != 0) return nullptr;
    return surface;
}

TEST_F(DesignVideoFlow, AJobMakesTheVideoOnItsOwnThreadAndStopsLeavingNoFile) {
    WalkVideoRequest request = dv::Request(dir.File("a.dsg"), dir.File("a.mp4"), {}, dir.Path());
    request.width = 64;
    request.height = 48;
    request.framesPerSecond = 10;
    const long before = FileCount();
    {
        VideoExportJob job(request, Offscreen);
        job.Start();
        job.Wait();
        ASSERT_TRUE(job.Finished());
        const WalkVideoResult result = job.Result();
        EXPECT_EQ(result.outcome, WalkVideoOutcome::kWritten) << result.problem;
        EXPECT_GT(result.frames, 10);
        EXPECT_EQ(job.Progress().framesDone, result.frames);
        EXPECT_GT(std::filesystem::file_size(request.output), 0u);
    }
    std::filesystem::remove(request.output);
    {
        VideoExportJob job(request, Offscreen);
        job.Start();
        job.Stop();
        job.Wait();
        EXPECT_EQ(job.Result().outcome, WalkVideoOutcome::kStopped);
        EXPECT_FALSE(job.Result().fileWritten);
    }
    {
        // Dropped while running: it stops and is waited for.
        VideoExportJob job(request, Offscreen);
        job.Start();
    }
    EXPECT_FALSE(std::filesystem::exists(request.output));
    EXPECT_EQ(FileCount(), before);  // no temporary file left beside the target
}

TEST_F(DesignVideoFlow, AJobReportsWhyNothingCouldBeMade) {
    VideoExportJob job(dv::Request(dir.File("room246.dsg"), dir.File("b.mp4"), {}, dir.Path()),
                       Offscreen);
    job.Start();
    job.Wait();
    EXPECT_EQ(job.Result().outcome, WalkVideoOutcome::kNothingToPlay);
    EXPECT_NE(job.Result().problem.find("no browse path"), std::string::npos) << job.Result().problem;
    EXPECT_FALSE(std::filesystem::exists(dir.File("b.mp4")));

    // A folder that does not exist is the file name's fault, which the user can mend.
    VideoExportJob nowhere(
        dv::Request(dir.File("a.dsg"), dir.File("no/such/c.mp4"), {}, dir.Path()), Offscreen);
    nowhere.Start();
    nowhere.Wait();
    EXPECT_EQ(nowhere.Result().outcome, WalkVideoOutcome::kCannotWrite);
    EXPECT_EQ(dv::ResultText(nowhere.Result(), dir.File("no/such/c.mp4"), {}).rfind("無法建立影片檔", 0),
              0u);
}

}  // namespace
}  // namespace roamer::app
