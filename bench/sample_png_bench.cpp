// From start to written PNG, per sample room at 640x480: the roamer-render program run as a
// process (so its start-up, the design's loading and the PNG's writing all count), beside f3d
// rendering the same room, exported once as an OBJ file, with `f3d --output` in the same run.
// f3d needs an X display: without one, a private Xvfb is started for the whole run, so that only
// f3d's own start-up is timed.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "dsg/design_file.h"
#include "platform/recording_host.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace roamer;

constexpr const char* kSize = "640x480";
constexpr const char* kResolution = "640,480";
// The player's projection at 640x480: 500 pixels per unit on the front plane at distance 1,
// so the picture's height spans 2 atan(240 / 500) vertically.
const double kViewAngleDegrees = 2.0 * std::atan(240.0 / 500.0) * 180.0 / 3.14159265358979;

// Runs `args` (found on PATH) and waits; the exit status, or -1 when it could not start or
// was killed. Its output is dropped, as a user would not read it either.
int Run(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// A folder for this run's files, removed at exit.
const std::string& WorkDir() {
    static const std::string dir = [] {
        std::string pattern = (fs::temp_directory_path() / "roamer-png-bench-XXXXXX").string();
        const char* made = mkdtemp(pattern.data());
        return std::string(made ? made : ".");
    }();
    return dir;
}

// The X display f3d draws on: the caller's, or a private Xvfb started once. Empty, with the
// reason in `why`, when there is none.
class Display {
public:
    static Display& Get() {
        static Display display;
        return display;
    }
    const std::string& Name() const { return m_name; }
    const std::string& Why() const { return m_why; }
    ~Display() {
        if (m_server > 0) {
            kill(m_server, SIGTERM);
            waitpid(m_server, nullptr, 0);
        }
    }

private:
    Display() {
        if (const char* given = std::getenv("DISPLAY"); given != nullptr && *given != '\0') {
            m_name = given;
            return;
        }
        // Xvfb writes the display number it took to the pipe once it accepts clients.
        int fds[2];
        if (pipe(fds) != 0) {
            m_why = "no pipe for Xvfb";
            return;
        }
        const std::string fd = std::to_string(fds[1]);
        std::vector<std::string> args = {"Xvfb",       "-displayfd", fd,        "-screen",
                                         "0",          "1280x1024x24", "-nolisten", "tcp"};
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const int spawned = posix_spawnp(&m_server, "Xvfb", &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        if (spawned != 0) {
            close(fds[0]);
            m_server = 0;
            m_why = "there is no X display and Xvfb cannot be started (install xvfb)";
            return;
        }
        std::string number;
        char c = 0;
        while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        if (number.empty()) {
            m_why = "Xvfb did not start";
            return;
        }
        m_name = ":" + number;
        setenv("DISPLAY", m_name.c_str(), 1);
    }

    pid_t m_server = 0;
    std::string m_name;
    std::string m_why;
};

std::string Sample(const char* name) {
    return std::string(ROAMER_SAMPLES_DIR) + "/" + name + ".dsg";
}

// f3d's camera arguments for the design's opening view, in the OBJ file's right-handed
// coordinates (z negated), so that f3d draws what roamer-render draws. Empty when the header
// cannot be read.
std::vector<std::string> OpeningCamera(const std::string& design) {
    RecordingHost host;
    dsg::CDesignFile file(host);
    dsg::CDesignHeader header;
    if (!file.OpenRead(design) || !file.ReadHeader(header)) return {};
    const double h = header.FaceAngleXZ, p = header.FaceAngleYZ;
    const double eye[3] = {header.Position.x, header.Position.y, -header.Position.z};
    const double look[3] = {-std::sin(h) * std::cos(p), std::sin(p), -std::cos(h) * std::cos(p)};
    const auto triple = [](double x, double y, double z) {
        return std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(z);
    };
    return {"--camera-position", triple(eye[0], eye[1], eye[2]), "--camera-focal-point",
            triple(eye[0] + 100 * look[0], eye[1] + 100 * look[1], eye[2] + 100 * look[2]),
            "--camera-view-up", "0,1,0", "--camera-view-angle", std::to_string(kViewAngleDegrees)};
}

// A fresh PNG each time; a missing or empty file means the run did not produce it.
bool Written(const std::string& png) {
    std::error_code error;
    return fs::file_size(png, error) > 0 && !error;
}

void BM_RoamerRenderToPng(benchmark::State& state, const char* name, const char* id) {
    const std::string png = WorkDir() + "/" + id + "_roamer.png";
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(png);
        state.ResumeTiming();
        const int status = Run({ROAMER_RENDER_EXE, "--size", kSize, "--out", png, Sample(name)});
        if (status != 0 || !Written(png)) {
            state.SkipWithError("roamer-render wrote no PNG");
            return;
        }
    }
}

void BM_F3dObjToPng(benchmark::State& state, const char* name, const char* id) {
    // Exported once, outside the timed loop: the same built scene roamer-render draws.
    const std::string obj = WorkDir() + "/" + id + ".obj";
    if (!fs::exists(obj) &&
        Run({ROAMER_RENDER_EXE, "--export-obj", obj, Sample(name)}) != 0) {
        state.SkipWithError("roamer-render could not export the OBJ file");
        return;
    }
    if (Run({"f3d", "--version"}) != 0) {
        state.SkipWithError("f3d is not installed (scripts/setup installs it)");
        return;
    }
    const Display& display = Display::Get();
    if (display.Name().empty()) {
        state.SkipWithError(display.Why().c_str());
        return;
    }
    const std::vector<std::string> camera = OpeningCamera(Sample(name));
    if (camera.empty()) {
        state.SkipWithError("the sample's opening view cannot be read");
        return;
    }
    const std::string png = WorkDir() + "/" + id + "_f3d.png";
    // --dry-run: no user configuration changes what is drawn.
    std::vector<std::string> args = {"f3d", "--dry-run", "--output", png, "--resolution",
                                     kResolution};
    args.insert(args.end(), camera.begin(), camera.end());
    args.push_back(obj);
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(png);
        state.ResumeTiming();
        const int status = Run(args);
        if (status != 0 || !Written(png)) {
            state.SkipWithError(("f3d wrote no PNG (status " + std::to_string(status) + ")").c_str());
            return;
        }
    }
    state.counters["obj_MB"] = static_cast<double>(fs::file_size(obj)) / 1e6;
}

// The subprocess does the work, so wall time is what counts, not this process's CPU time.
#define SAMPLE(id, name)                                                                        \
    BENCHMARK_CAPTURE(BM_RoamerRenderToPng, id, name, #id)->Unit(benchmark::kMillisecond)       \
        ->UseRealTime()->MinTime(2.0);                                                           \
    BENCHMARK_CAPTURE(BM_F3dObjToPng, id, name, #id)->Unit(benchmark::kMillisecond)             \
        ->UseRealTime()->MinTime(2.0)

SAMPLE(living_room, "客廳");
SAMPLE(bedroom, "臥室");
SAMPLE(apartment, "兩房公寓");

// Removes the run's folder when the program ends.
struct CleanUp {
    // Making the folder first has it outlive this object at exit.
    CleanUp() { WorkDir(); }
    ~CleanUp() {
        std::error_code error;
        if (WorkDir() != ".") fs::remove_all(WorkDir(), error);
    }
} cleanUp;

}  // namespace
