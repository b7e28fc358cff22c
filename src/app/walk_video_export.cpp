#include "app/walk_video_export.h"

#include <filesystem>

#include "app/play_list.h"
#include "app/player_app.h"
#include "app/walk_frame_writer.h"
#include "app/walk_length.h"
#include "platform/text/cp950.h"
#include "platform/video/video_encoder.h"

namespace roamer::app {
namespace {

constexpr int kLargestSide = 8192;
constexpr int kMostFramesPerSecond = 240;

// The problem with a request that makes it unusable, or empty.
std::string RequestProblem(const WalkVideoRequest& r) {
    if (r.playList.empty() && r.designs.empty()) return "no play list and no design given";
    if (r.output.empty()) return "no file name for the video";
    if (r.width < 2 || r.height < 2 || r.width > kLargestSide || r.height > kLargestSide ||
        r.width % 2 != 0 || r.height % 2 != 0)
        return "the video size must be even, 2 to 8192: " + std::to_string(r.width) + "x" +
               std::to_string(r.height);
    if (r.framesPerSecond < 1 || r.framesPerSecond > kMostFramesPerSecond)
        return "the frame rate must be 1 to 240: " + std::to_string(r.framesPerSecond);
    const PlayerSettings& s = r.settings;
    if (s.speedIndex < 0 || s.speedIndex > 3 || s.pauseIndex < 0 || s.pauseIndex > 2 ||
        s.repeatCount < 1)
        return "the speed, pause or pass count is out of range";
    return {};
}

// One export: a player of its own on the walk clock, drawing offscreen at the video's size.
class WalkExport {
public:
    WalkExport(const WalkVideoRequest& request, const WalkVideoHooks& hooks)
        : m_request(request),
          m_hooks(hooks),
          m_host(request.width, request.height, hooks.makeSurface, hooks.message),
          m_app(m_host, request.workFolder),
          m_writer(m_encoder, request.framesPerSecond, request.smoothMotion,
                   [this](const ViewerState& view, rm::Picture& picture) {
                       return DrawBetween(view, picture);
                   }) {}

    WalkVideoResult Run();

private:
    WalkVideoResult Fail(WalkVideoOutcome outcome, std::string problem) {
        m_encoder.Abandon();
        m_result.outcome = outcome;
        m_result.problem = std::move(problem);
        return m_result;
    }
    void Say(const std::string& text) const {
        if (m_hooks.message) m_hooks.message(text);
    }
    bool OpenList();
    std::string NothingToPlay();
    void NoteDesign();
    void NoteSkipsUpTo(int designIndex);
    bool Capture(WalkShot& shot);
    bool DrawBetween(const ViewerState& view, rm::Picture& picture);
    bool RestoreShown(const WalkShot& shown);
    bool Continue();

    const WalkVideoRequest& m_request;
    const WalkVideoHooks& m_hooks;
    WalkClockHost m_host;
    PlayerApp m_app;
    video::VideoEncoder m_encoder;
    WalkFrameWriter m_writer;
    WalkVideoResult m_result;
    std::vector<std::int64_t> m_entryMs;  // each entry's length, all passes; 0 without a path
    std::vector<bool> m_entryFound;       // whether the entry names a file that exists
    std::int64_t m_totalMs = 0;
    int m_design = -1;  // the design index last seen playing
    int m_pass = -1;
    std::int64_t m_walk = 0;
    bool m_drewBetween = false;
};

bool WalkExport::OpenList() {
    FileDialogResult& chosen = m_host.chosen;
    chosen.accepted = true;
    if (!m_request.playList.empty()) {
        chosen.files = {m_request.playList};
        chosen.folder = std::filesystem::path(m_request.playList).parent_path().string();
        return m_app.OpenPlayList();
    }
    chosen.files = m_request.designs;
    chosen.folder = std::filesystem::path(m_request.designs.front()).parent_path().string();
    return m_app.SelectDesigns();
}

std::string WalkExport::NothingToPlay() {
    if (m_app.playList.size() == 1) {
        const std::string name = text::ToDisplayText(m_app.playList.front());
        const DesignSession* session = m_app.Session();
        if (session != nullptr && !session->LoadedPath().empty())
            return name + " has no browse path (" +
                   text::ToDisplayText(m_app.Navigator().recordPath) + ")";
        return name + " could not be loaded";
    }
    return "no design of the list could be played: none could be loaded with a browse path";
}

void WalkExport::NoteSkipsUpTo(int designIndex) {
    for (int i = m_design + 1; i < designIndex && i < static_cast<int>(m_entryMs.size()); ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        const bool noPath = m_entryFound[at] && m_entryMs[at] == 0;
        Say("skipped " + text::ToDisplayText(m_app.playList[at]) +
            (noPath ? ": it has no browse path" : ": it could not be loaded"));
        m_totalMs -= m_entryMs[at];
        m_entryMs[at] = 0;
    }
}

// A new pass or another design: the walk key changes, and a new design's length is now known.
void WalkExport::NoteDesign() {
    if (m_app.designIndex == m_design && m_app.passIndex == m_pass) return;
    ++m_walk;
    m_pass = m_app.passIndex;
    if (m_app.designIndex == m_design) return;
    NoteSkipsUpTo(m_app.designIndex);
    m_design = m_app.designIndex;
    ++m_result.designsPlayed;
    const std::size_t at = static_cast<std::size_t>(m_design);
    if (at < m_entryMs.size()) {
        const std::int64_t actual =
            PassMilliseconds(m_app.Path(), m_app.PlayTimerInterval(),
                             nav::Navigator::PauseMilliseconds(m_app.settings.pauseIndex)) *
            m_app.settings.repeatCount;
        m_totalMs += actual - m_entryMs[at];
        m_entryMs[at] = actual;
    }
}

bool WalkExport::Capture(WalkShot& shot) {
    rm::Device* device = m_app.Engine().GetDevice();
    if (device == nullptr || !m_host.Surface()->MakeCurrent() ||
        device->ReadBackBuffer(&shot.picture) != 0)
        return false;
    shot.atMs = m_host.NowMs();
    shot.viewer = m_app.GetViewer();
    shot.walk = m_walk;
    return true;
}

bool WalkExport::DrawBetween(const ViewerState& view, rm::Picture& picture) {
    m_drewBetween = true;
    m_app.ApplyViewer(view);
    rm::Device* device = m_app.Engine().GetDevice();
    return m_app.Engine().Render() == 0 && device != nullptr && m_host.Surface()->MakeCurrent() &&
           device->ReadBackBuffer(&picture) == 0;
}

// After in-between views the player's camera and picture go back to what it showed last, so
// that the next step starts from there and a step that draws nothing still shows it.
bool WalkExport::RestoreShown(const WalkShot& shown) {
    if (!m_drewBetween) return true;
    m_drewBetween = false;
    m_app.ApplyViewer(shown.viewer);
    rm::Device* device = m_app.Engine().GetDevice();
    return device != nullptr && m_host.Surface()->MakeCurrent() &&
           device->WriteBackBuffer(shown.picture) == 0;
}

bool WalkExport::Continue() {
    if (!m_hooks.progress) return true;
    WalkVideoProgress p;
    p.framesDone = m_encoder.FramesWritten();
    p.framesTotal = std::max(p.framesDone,
                             WalkFrameWriter::FrameAtOrAfter(m_totalMs, m_request.framesPerSecond));
    p.framesPerSecond = m_request.framesPerSecond;
    p.design = m_design + 1;
    p.designCount = m_app.designCount;
    p.pass = m_pass + 1;
    p.passCount = m_app.settings.repeatCount;
    return m_hooks.progress(p);
}

WalkVideoResult WalkExport::Run() {
    if (std::string problem = RequestProblem(m_request); !problem.empty())
        return Fail(WalkVideoOutcome::kBadRequest, problem);
    if (!m_hooks.makeSurface) return Fail(WalkVideoOutcome::kNoRenderer, "no surface to draw on");
    // The target is tried first: an unwritable one is refused before any design is read.
    if (const video::VideoStatus opened = m_encoder.Open(
            m_request.output, m_request.width, m_request.height, m_request.framesPerSecond);
        opened != video::VideoStatus::kOk)
        return Fail(opened == video::VideoStatus::kCannotWrite ? WalkVideoOutcome::kCannotWrite
                                                               : WalkVideoOutcome::kBadRequest,
                    m_encoder.Problem());
    m_app.settings = m_request.settings;
    m_app.settings.editMode = false;
    if (!m_app.OpenView() || !m_app.Engine().IsInitialized())
        return Fail(WalkVideoOutcome::kNoRenderer, "no offscreen renderer could be started");
    if (!OpenList()) return Fail(WalkVideoOutcome::kNothingToPlay, "the play list could not be opened");

    const int interval = PlayerApp::PlayInterval(m_app.settings.speedIndex);
    const int pause = nav::Navigator::PauseMilliseconds(m_app.settings.pauseIndex);
    for (const std::string& entry : m_app.playList) {
        m_entryFound.push_back(ResolvePlayListEntry(entry, m_app.playListFolder).has_value());
        m_entryMs.push_back(EntryPassMilliseconds(entry, m_app.playListFolder, interval, pause) *
                            m_app.settings.repeatCount);
        m_totalMs += m_entryMs.back();
    }

    m_app.Play();
    if (m_app.state != PS_PLAYING) {
        const std::string problem = NothingToPlay();
        if (m_app.playList.size() > 1) NoteSkipsUpTo(m_app.designCount);
        return Fail(WalkVideoOutcome::kNothingToPlay, problem);
    }
    NoteDesign();
    WalkShot shown;
    WalkShot next;
    if (!Capture(shown)) return Fail(WalkVideoOutcome::kFailed, "the picture cannot be read back");
    bool stopped = !Continue();
    while (!stopped) {
        const std::optional<int> timer =
            m_host.Advance({PlayerApp::kPlayTimer, PlayerApp::kPauseTimer});
        if (timer) m_app.OnTimer(*timer);
        if (!timer || m_app.state != PS_PLAYING) {
            // The last pass has ended: its last picture stays up until this tick.
            if (!m_writer.Write(shown, m_host.NowMs(), nullptr))
                return Fail(WalkVideoOutcome::kFailed, m_writer.Problem());
            break;
        }
        NoteDesign();
        if (!Capture(next)) return Fail(WalkVideoOutcome::kFailed, "the picture cannot be read back");
        if (!m_writer.Write(shown, next.atMs, &next))
            return Fail(WalkVideoOutcome::kFailed, m_writer.Problem());
        if (!RestoreShown(next)) return Fail(WalkVideoOutcome::kFailed, "the picture cannot be restored");
        std::swap(shown, next);
        stopped = !Continue();
    }
    if (!stopped) {
        NoteSkipsUpTo(m_app.designCount);
        m_totalMs = m_host.NowMs();  // the bar ends full
        Continue();
    }
    m_app.Stop();

    m_result.frames = m_encoder.FramesWritten();
    m_result.durationMs =
        stopped ? m_result.frames * 1000 / m_request.framesPerSecond : m_host.NowMs();
    m_result.outcome = stopped ? WalkVideoOutcome::kStopped : WalkVideoOutcome::kWritten;
    if (stopped && (!m_request.keepPartialOnCancel || m_result.frames == 0)) {
        m_encoder.Abandon();
        return m_result;
    }
    if (m_encoder.Finish() != video::VideoStatus::kOk)
        return Fail(WalkVideoOutcome::kFailed, m_encoder.Problem());
    m_result.fileWritten = true;
    return m_result;
}

}  // namespace

WalkVideoResult ExportWalkVideo(const WalkVideoRequest& request, const WalkVideoHooks& hooks) {
    // The player and its engine are large: they live on the heap for the export's length.
    auto run = std::make_unique<WalkExport>(request, hooks);
    return run->Run();
}

}  // namespace roamer::app
