// A sample room's browse path replayed in the player's real 3D view (a Qt OpenGL widget on an
// X display, presented on every step) beside the same replay offscreen, as roamer-path-bench
// measures it, in the same run and at the same sizes. Run it on a display, for example:
//   tests/gui/xvfb-run-test build/bench/roamer-view-bench
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "app/player_app.h"
#include "gui/d3d_frame.h"
#include "gui/d3d_view.h"
#include "gui/player_program.h"
#include "gui/qt_player_host.h"
#include "roamer-render/render_host.h"

namespace {

using namespace roamer;

std::string Sample(const char* name) { return std::string(ROAMER_SAMPLES_DIR) + "/" + name + ".dsg"; }

// Steps the path, starting it over at its end outside the timing.
void Step(benchmark::State& state, app::PlayerApp& app) {
    if (!app.Navigator().StepPath(true)) {
        state.PauseTiming();
        app.Navigator().ReleaseShift();
        app.Navigator().StartPath();
        state.ResumeTiming();
    }
}

void BM_ViewStep(benchmark::State& state, const char* name) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    gui::QtPlayerHost host;
    app::PlayerApp app(host, std::filesystem::current_path().string());
    host.Attach(&app, nullptr, nullptr);
    if (!app.OpenView()) {
        state.SkipWithError("the 3D view could not be made");
        return;
    }
    gui::D3DView& view = host.Frame()->View();
    host.Frame()->resize(width, height);
    for (int i = 0; i < 20 && view.size() != QSize(width, height); ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    if (view.size() != QSize(width, height) || !app.LoadDesign(Sample(name)) ||
        !app.Navigator().StartPath()) {
        state.SkipWithError("the sample could not be shown at that size");
        return;
    }
    for (auto _ : state) {
        Step(state, app);
        view.repaint();  // present into the window now, as the next paint would
    }
    host.DestroyFrameWindow();
}

void BM_OffscreenStep(benchmark::State& state, const char* name) {
    std::ostringstream messages;
    tools::RenderHost host(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                           messages);
    app::PlayerApp app(host, std::filesystem::current_path().string());
    if (!app.OpenView() || !app.LoadDesign(Sample(name)) || !app.Navigator().StartPath()) {
        state.SkipWithError("the sample could not be loaded");
        return;
    }
    for (auto _ : state) Step(state, app);
}

}  // namespace

BENCHMARK_CAPTURE(BM_ViewStep, living_room, "客廳")
    ->Args({640, 480})->Args({1280, 720})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OffscreenStep, living_room, "客廳")
    ->Args({640, 480})->Args({1280, 720})->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "roamer-view-bench: needs a display (tests/gui/xvfb-run-test)\n");
        return 2;
    }
    gui::PlayerProgram::PrepareApplication();
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
