#include "app/design_video.h"

#include <algorithm>
#include <filesystem>

#include "app/clock_text.h"
#include "app/player_app.h"
#include "platform/text/cp950.h"

namespace roamer::app {
namespace design_video {
namespace {

constexpr std::size_t kMostMessages = 5;

// What the user can make of a failure; the exporter's own words follow as the detail.
const char* FailureText(WalkVideoOutcome outcome) {
    switch (outcome) {
        case WalkVideoOutcome::kNothingToPlay: return kNoWalkText;
        case WalkVideoOutcome::kCannotWrite: return "無法建立影片檔,請換一個資料夾或檔名。";
        case WalkVideoOutcome::kBadRequest: return "這部電腦的影片編碼器無法製作這種影片。";
        case WalkVideoOutcome::kNoRenderer: return "無法建立OpenGL 3.3繪圖環境,無法匯出影片。";
        default: return "影片匯出失敗,沒有留下影片檔。";
    }
}

}  // namespace

std::string DefaultVideoPath(const std::string& designPath) {
    std::filesystem::path video(designPath);
    video.replace_extension(".mp4");
    return text::ToDisplayText(video.string());
}

std::string WithVideoExtension(const std::string& chosen) {
    const std::filesystem::path path(chosen);
    if (chosen.empty() || !path.has_filename() || path.has_extension()) return chosen;
    return chosen + ".mp4";
}

WalkVideoRequest Request(const std::string& designPath, const std::string& output,
                         const PlayerSettings& settings, const std::string& workFolder) {
    WalkVideoRequest request;
    request.designs = {designPath};
    request.output = output;
    request.width = kWidth;
    request.height = kHeight;
    request.framesPerSecond = kFramesPerSecond;
    request.settings = settings;
    request.keepPartialOnCancel = false;
    request.workFolder = workFolder;
    return request;
}

std::string ProgressText(const WalkVideoProgress& p, double elapsedSeconds) {
    std::string text = "已完成 " + std::to_string(p.framesDone) + " / " +
                       std::to_string(std::max(p.framesDone, p.framesTotal)) + " 格,";
    if (p.framesDone <= 0 || p.framesTotal <= 0) return text + "剩餘時間計算中";
    const double part =
        std::min(1.0, static_cast<double>(p.framesDone) / static_cast<double>(p.framesTotal));
    return text + "剩餘時間約 " + ClockText(elapsedSeconds * (1.0 - part) / part);
}

int ProgressPermille(const WalkVideoProgress& p) {
    if (p.framesTotal <= 0) return 0;
    return static_cast<int>(std::clamp<std::int64_t>(p.framesDone * 1000 / p.framesTotal, 0, 1000));
}

std::string ResultText(const WalkVideoResult& result, const std::string& output,
                       const std::vector<std::string>& messages) {
    const std::string length = ClockText(static_cast<double>(result.durationMs) / 1000.0);
    switch (result.outcome) {
        case WalkVideoOutcome::kWritten: {
            std::string text = "影片已匯出至:\n" + output + "\n(長度 " + length + ")";
            for (std::size_t i = 0; i < messages.size() && i < kMostMessages; ++i)
                text += "\n\n" + messages[i];
            if (messages.size() > kMostMessages) text += "\n…";
            return text;
        }
        case WalkVideoOutcome::kStopped:
            if (!result.fileWritten) return {};
            return "影片匯出已停止,前 " + length + " 已寫入:\n" + output;
        default: {
            std::string text = FailureText(result.outcome);
            if (!result.problem.empty()) text += "\n\n(" + result.problem + ")";
            return text;
        }
    }
}

}  // namespace design_video

PlaybackHold::PlaybackHold(PlayerApp& app) : m_app(app), m_wasPlaying(app.state == PS_PLAYING) {
    if (m_wasPlaying) m_app.Pause();
}

PlaybackHold::~PlaybackHold() {
    // Only the pause made here is undone: a stop or a new list in between stays.
    if (m_wasPlaying && m_app.state == PS_PAUSED) m_app.Play();
}

}  // namespace roamer::app
