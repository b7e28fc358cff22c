// Replaying a sample room's browse path headless at 640x480, as a pass plays it: the time of one
// step (a recorded command with the frame it renders; a recorded stop renders the smoothed still),
// and of a plain walking step alone. The fastest play timer ticks every 50 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>

#include "app/player_app.h"
#include "roamer-render/render_host.h"

namespace {

using namespace roamer;

std::string Sample(const char* name) {
    return std::string(ROAMER_SAMPLES_DIR) + "/" + name + ".dsg";
}

struct Player {
    std::ostringstream messages;
    tools::RenderHost host{640, 480, messages};
    app::PlayerApp app{host, std::filesystem::current_path().string()};
    bool ready = false;

    explicit Player(const char* name) {
        ready = app.OpenView() && app.LoadDesign(Sample(name)) && app.Navigator().StartPath();
    }
};

void BM_ReplayStep(benchmark::State& state, const char* name) {
    Player player(name);
    if (!player.ready) {
        state.SkipWithError("the sample could not be loaded");
        return;
    }
    for (auto _ : state) {
        if (!player.app.Navigator().StepPath(true)) {
            state.PauseTiming();
            player.app.Navigator().ReleaseShift();
            player.app.Navigator().StartPath();
            state.ResumeTiming();
        }
    }
    state.counters["commands"] = static_cast<double>(player.app.Path().GetCount());
}

void BM_WalkStep(benchmark::State& state, const char* name) {
    Player player(name);
    if (!player.ready) {
        state.SkipWithError("the sample could not be loaded");
        return;
    }
    bool forward = true;
    for (auto _ : state) {
        player.app.Navigator().ExecuteCommand(forward ? nav::CPS_GO_FRONT : nav::CPS_GO_BACK);
        forward = !forward;
    }
}

}  // namespace

BENCHMARK_CAPTURE(BM_ReplayStep, living_room, "客廳")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReplayStep, apartment, "兩房公寓")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WalkStep, living_room, "客廳")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WalkStep, apartment, "兩房公寓")->Unit(benchmark::kMillisecond);
