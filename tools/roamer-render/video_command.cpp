#include "roamer-render/video_command.h"

#include <csignal>
#include <filesystem>
#include <ostream>

#include "app/walk_video_export.h"
#include "platform/gl/offscreen_surface.h"
#include "roamer-render/video_progress.h"

namespace roamer::tools {
namespace {

constexpr int kVideoWidth = 1280;
constexpr int kVideoHeight = 720;
constexpr int kInterrupted = 130;  // 128 + SIGINT, as a shell reports it

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void NoteInterrupt(int) { g_interrupted = 1; }

// Ctrl+C ends the export at the next step instead of killing the program midway; a second
// Ctrl+C kills it as usual (the target is still never a broken file).
class InterruptCatcher {
public:
    InterruptCatcher() {
        g_interrupted = 0;
        struct sigaction action {};
        action.sa_handler = NoteInterrupt;
        sigemptyset(&action.sa_mask);
        action.sa_flags = static_cast<int>(SA_RESETHAND);
        sigaction(SIGINT, &action, &m_previous);
    }
    ~InterruptCatcher() { sigaction(SIGINT, &m_previous, nullptr); }
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;

private:
    struct sigaction m_previous {};
};

bool IsPlayList(const std::string& path) {
    std::string ending = std::filesystem::path(path).extension().string();
    for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ending == ".vol";
}

std::unique_ptr<rm::RenderSurface> OffscreenSurface(int width, int height) {
    std::unique_ptr<gl::OffscreenSurface> surface;
    if (gl::OffscreenSurface::Create(width, height, &surface) != 0) return nullptr;
    return surface;
}

std::string SizeText(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace

int RunVideo(const RenderOptions& options, std::ostream& err) {
    app::WalkVideoRequest request;
    const int width = options.sizeGiven ? options.width : kVideoWidth;
    const int height = options.sizeGiven ? options.height : kVideoHeight;
    request.width = app::EvenVideoSize(width);
    request.height = app::EvenVideoSize(height);
    if (request.width != width || request.height != height)
        err << "roamer-render: the size " << SizeText(width, height) << " is rounded to "
            << SizeText(request.width, request.height) << ": H.264 takes even sizes only\n";
    std::error_code error;
    const std::string input = std::filesystem::absolute(options.design, error).string();
    if (IsPlayList(input))
        request.playList = input;
    else
        request.designs = {input};
    request.output = options.video;
    request.framesPerSecond = options.fps;
    request.settings.speedIndex = options.speed;
    request.settings.pauseIndex = options.pause;
    request.settings.repeatCount = options.passes;
    request.settings.wallCollision = options.collision;
    request.smoothMotion = options.smoothMotion;
    request.keepPartialOnCancel = true;
    request.workFolder = std::filesystem::current_path(error).string();

    VideoProgress progress(err, options.progressBar);
    app::WalkVideoHooks hooks;
    hooks.makeSurface = OffscreenSurface;
    hooks.message = [&](std::string_view text) {
        progress.Finish();
        err << "roamer-render: " << text << '\n';
    };
    hooks.progress = [&](const app::WalkVideoProgress& p) {
        progress.Show(p);
        return g_interrupted == 0;
    };
    InterruptCatcher catcher;
    const app::WalkVideoResult result = app::ExportWalkVideo(request, hooks);
    progress.Finish();
    const std::string length = ClockText(static_cast<double>(result.durationMs) / 1000.0);
    switch (result.outcome) {
        case app::WalkVideoOutcome::kWritten:
            err << "roamer-render: wrote " << options.video << " (" << length << ", "
                << result.frames << " frames at " << options.fps << " fps)\n";
            return 0;
        case app::WalkVideoOutcome::kStopped:
            if (result.fileWritten)
                err << "roamer-render: stopped; " << options.video << " holds the first " << length
                    << " of the walk\n";
            else
                err << "roamer-render: stopped; no video was written\n";
            return kInterrupted;
        default:
            err << "roamer-render: " << result.problem << '\n';
            return 1;
    }
}

}  // namespace roamer::tools
