#pragma once

#include <string>
#include <vector>

#include "app/options_dialog_model.h"
#include "app/walk_video_export.h"

namespace roamer::app {

class PlayerApp;

// The walkthrough video the player makes of the design on screen: its file name, the request,
// and what the progress window and the closing message say.
namespace design_video {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr int kFramesPerSecond = 30;
// Said before a file name is asked for, and when the design read from its file has no walk.
constexpr const char* kNoWalkText = "這個設計案沒有瀏覽路徑,無法匯出影片。";

// The design's name with ".mp4", in the design's folder (UTF-8, as a dialog shows it).
std::string DefaultVideoPath(const std::string& designPath);
// The name the user typed, with ".mp4" added when it has no extension.
std::string WithVideoExtension(const std::string& chosen);
// The whole walk of `designPath`, played as the player plays it with `settings`; a stopped
// export leaves no file.
WalkVideoRequest Request(const std::string& designPath, const std::string& output,
                         const PlayerSettings& settings, const std::string& workFolder);
// "已完成 120 / 450 格,剩餘時間約 0:11", the time left estimated from the time taken.
std::string ProgressText(const WalkVideoProgress& progress, double elapsedSeconds);
// 0..1000 of the bar.
int ProgressPermille(const WalkVideoProgress& progress);
// The closing message: where the video is, or why there is none; empty when the user stopped
// it and nothing was written. `messages` are what the walk reported on the way (skipped
// models and the like), shown after a written video.
std::string ResultText(const WalkVideoResult& result, const std::string& output,
                       const std::vector<std::string>& messages);

}  // namespace design_video

// Playback pauses while the video is made, and goes on afterwards if it was playing.
class PlaybackHold {
public:
    explicit PlaybackHold(PlayerApp& app);
    ~PlaybackHold();
    PlaybackHold(const PlaybackHold&) = delete;
    PlaybackHold& operator=(const PlaybackHold&) = delete;

private:
    PlayerApp& m_app;
    bool m_wasPlaying;
};

}  // namespace roamer::app
