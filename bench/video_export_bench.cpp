// Walkthrough video export of a sample walk at 1280x720 and 30 frames a second, as a multiple
// of real time (video seconds made per second of wall-clock time), with and without smooth
// motion; and the parts of the pipeline on their own: drawing a view, reading it back, and
// encoding a frame that changed and a held picture.
#include <benchmark/benchmark.h>

#include <time.h>

#include <filesystem>
#include <sstream>

#include "app/player_app.h"
#include "app/walk_video_export.h"
#include "platform/gl/offscreen_surface.h"
#include "platform/video/video_encoder.h"
#include "roamer-render/render_host.h"

namespace {

using namespace roamer;

constexpr int kWidth = 1280;
constexpr int kHeight = 720;

// CPU time of every thread of the process (the software renderer and the encoder draw and
// encode on threads of their own), in seconds: on a machine shared with other work it says more
// than the wall clock.
double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Reports the process's CPU time per iteration beside the benchmark's own times.
class ProcessCpu {
public:
    explicit ProcessCpu(benchmark::State& state) : m_state(state), m_start(ProcessCpuSeconds()) {}
    ~ProcessCpu() {
        if (m_state.iterations() == 0) return;
        m_state.counters["all_threads_cpu_ms"] =
            (ProcessCpuSeconds() - m_start) * 1000.0 / static_cast<double>(m_state.iterations());
    }
    double Seconds() const { return ProcessCpuSeconds() - m_start; }

private:
    benchmark::State& m_state;
    double m_start;
};

std::string Sample(const char* name) {
    return std::string(ROAMER_SAMPLES_DIR) + "/" + name + ".dsg";
}

std::string Output() {
    return (std::filesystem::temp_directory_path() / "roamer-video-bench.mp4").string();
}

std::unique_ptr<rm::RenderSurface> Offscreen(int width, int height) {
    std::unique_ptr<gl::OffscreenSurface> surface;
    if (gl::OffscreenSurface::Create(width, height, &surface) != 0) return nullptr;
    return surface;
}

void BM_ExportWalk(benchmark::State& state, const char* name, bool smooth) {
    app::WalkVideoRequest request;
    request.designs = {Sample(name)};
    request.output = Output();
    request.width = kWidth;
    request.height = kHeight;
    request.framesPerSecond = 30;
    request.smoothMotion = smooth;
    request.workFolder = std::filesystem::current_path().string();
    app::WalkVideoHooks hooks;
    hooks.makeSurface = Offscreen;
    double videoSeconds = 0.0;
    ProcessCpu cpu(state);
    for (auto _ : state) {
        const app::WalkVideoResult result = app::ExportWalkVideo(request, hooks);
        if (result.outcome != app::WalkVideoOutcome::kWritten) {
            state.SkipWithError(result.problem.c_str());
            return;
        }
        videoSeconds += static_cast<double>(result.durationMs) / 1000.0;
        state.counters["frames"] = static_cast<double>(result.frames);
    }
    std::filesystem::remove(request.output);
    state.counters["x_real_time"] = benchmark::Counter(videoSeconds, benchmark::Counter::kIsRate);
    // Video seconds per CPU second of all threads: the multiple of real time one free core gives.
    state.counters["x_real_time_per_core"] = videoSeconds / cpu.Seconds();
}

// One player drawing the sample at 1280x720 offscreen.
struct Player {
    std::ostringstream messages;
    tools::RenderHost host{kWidth, kHeight, messages};
    app::PlayerApp app{host, std::filesystem::current_path().string()};
    bool ready = app.OpenView() && app.LoadDesign(Sample("客廳"));
};

void BM_DrawView(benchmark::State& state) {
    Player player;
    if (!player.ready) return state.SkipWithError("the sample could not be loaded");
    ProcessCpu cpu(state);
    for (auto _ : state) player.app.Engine().Render();
}

void BM_ReadBack(benchmark::State& state) {
    Player player;
    if (!player.ready) return state.SkipWithError("the sample could not be loaded");
    player.app.Engine().Render();
    rm::Picture picture;
    ProcessCpu cpu(state);
    for (auto _ : state) player.app.Engine().GetDevice()->ReadBackBuffer(&picture);
}

void BM_EncodeChangedFrame(benchmark::State& state) {
    Player player;
    if (!player.ready) return state.SkipWithError("the sample could not be loaded");
    // Two views a step apart, alternated, so every frame differs from the one before.
    rm::Picture pictures[2];
    for (rm::Picture& picture : pictures) {
        player.app.Navigator().ExecuteCommand(nav::CPS_GO_FRONT);
        player.app.Engine().GetDevice()->ReadBackBuffer(&picture);
    }
    video::VideoEncoder encoder;
    if (encoder.Open(Output(), kWidth, kHeight, 30) != video::VideoStatus::kOk)
        return state.SkipWithError(encoder.Problem().c_str());
    int which = 0;
    ProcessCpu cpu(state);
    for (auto _ : state) {
        const rm::Picture& p = pictures[which ^= 1];
        encoder.AddFrame({p.rgba.data(), p.width, p.height, p.width * 4, video::PixelOrder::kRgba});
    }
    // The frames are encoded on the encoder's thread: they count once they are in the file.
    encoder.Finish();
    std::filesystem::remove(Output());
}

// A held step: the same picture again, as most frames of a walk without smooth motion are.
void BM_EncodeRepeatedFrame(benchmark::State& state) {
    Player player;
    if (!player.ready) return state.SkipWithError("the sample could not be loaded");
    rm::Picture picture;
    player.app.Engine().GetDevice()->ReadBackBuffer(&picture);
    video::VideoEncoder encoder;
    if (encoder.Open(Output(), kWidth, kHeight, 30) != video::VideoStatus::kOk)
        return state.SkipWithError(encoder.Problem().c_str());
    const video::VideoImage image{picture.rgba.data(), picture.width, picture.height,
                                  picture.width * 4, video::PixelOrder::kRgba};
    encoder.AddFrame(image);
    ProcessCpu cpu(state);
    for (auto _ : state) encoder.AddFrame(image, 30);
    // The frames are encoded on the encoder's thread: they count once they are in the file.
    encoder.Finish();
    std::filesystem::remove(Output());
}

}  // namespace

BENCHMARK_CAPTURE(BM_ExportWalk, living_room_held_steps, "客廳", false)
    ->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);
BENCHMARK_CAPTURE(BM_ExportWalk, living_room_smooth_motion, "客廳", true)
    ->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_DrawView)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadBack)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EncodeChangedFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
// Per iteration a second of one picture held: 30 frames.
BENCHMARK(BM_EncodeRepeatedFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
