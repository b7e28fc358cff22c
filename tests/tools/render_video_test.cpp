// roamer-render --video on the sample rooms, read back with the video reader: the walk lasts as
// long as the holds that --path lists, each command's picture is on screen at its time, a play
// list is as long as its walks together, and bad input or Ctrl+C never leave a broken file.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/walk_video_export.h"
#include "platform/gl/offscreen_surface.h"
#include "platform/rm/texture.h"
#include "platform/text/cp950.h"
#include "platform/video/video_reader.h"
#include "roamer-render/render_command.h"
#include "support/temp_dir.h"

namespace roamer::tools {
namespace {

namespace fs = std::filesystem;

std::string Sample(const std::string& name) {
    const char* root = std::getenv("ROAMER_TEST_DATA");
    return std::string(root ? root : "tests/data") + "/../../samples/" + name;
}

int RunTool(const std::vector<std::string>& args, std::string* messages = nullptr) {
    RenderOptions options;
    EXPECT_EQ(ParseRenderArguments(args, options), "") << ::testing::PrintToString(args);
    std::ostringstream err;
    const int result = RunRender(options, err);
    if (messages != nullptr) *messages = err.str();
    return result;
}

struct Step {
    std::string file, command;
    int holdMs = 0;
    std::int64_t atMs = 0;  // when it appears: the holds before it added up
};

// The steps of --path's frames.txt, with their times.
std::vector<Step> ReadSteps(const std::string& folder) {
    std::ifstream list(folder + "/frames.txt");
    std::string line;
    std::getline(list, line);
    std::vector<Step> steps;
    std::int64_t at = 0;
    while (std::getline(list, line)) {
        std::istringstream columns(line);
        Step step;
        columns >> step.file >> step.command >> step.holdMs;
        step.atMs = at;
        at += step.holdMs;
        steps.push_back(step);
    }
    return steps;
}

std::int64_t WalkMs(const std::vector<Step>& steps) {
    return steps.empty() ? 0 : steps.back().atMs + steps.back().holdMs;
}

// The steps of a sample's walk at speed 1 and pause 1, with their pictures at `size`.
std::vector<Step> PathSteps(const std::string& design, const std::string& folder,
                            const std::string& size) {
    EXPECT_EQ(RunTool({"--size", size, "--path", folder, Sample(design)}), 0);
    return ReadSteps(folder);
}

video::VideoFacts Probe(const std::string& path) {
    video::VideoReader reader;
    EXPECT_TRUE(reader.Open(path)) << reader.Problem();
    return reader.Facts();
}

// Mean difference per channel (0..255) between a decoded picture and a PNG.
double Difference(const std::vector<std::uint8_t>& rgba, const std::string& png) {
    std::shared_ptr<rm::Texture> texture;
    EXPECT_EQ(rm::Texture::Load(png, &texture), 0) << png;
    if (!texture) return 255.0;
    const rm::Image& image = texture->GetImage();
    if (rgba.size() != static_cast<std::size_t>(image.width * image.height) * 4u) return 255.0;
    double sum = 0.0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t c = image.PixelRGB(x, y);
            const std::uint8_t* p = &rgba[static_cast<std::size_t>(y * image.width + x) * 4u];
            sum += std::abs(p[0] - static_cast<int>((c >> 16) & 0xFF)) +
                   std::abs(p[1] - static_cast<int>((c >> 8) & 0xFF)) +
                   std::abs(p[2] - static_cast<int>(c & 0xFF));
        }
    return sum / (3.0 * image.width * image.height);
}

constexpr double kSameTolerance = 6.0;  // H.264 at our quality on small pictures

// Every listed step's picture is on screen at its time: closer to its own PNG than to the
// previous step's when those two differ.
void ExpectStepsShown(const std::string& video, const std::vector<Step>& steps,
                      const std::string& folder, std::size_t every) {
    video::VideoReader reader;
    ASSERT_TRUE(reader.Open(video));
    int checked = 0;
    for (std::size_t i = 1; i < steps.size(); i += every) {
        SCOPED_TRACE(steps[i].file + " " + steps[i].command);
        std::vector<std::uint8_t> shown;
        ASSERT_TRUE(reader.PictureAt(static_cast<double>(steps[i].atMs) / 1000.0, shown));
        const double own = Difference(shown, folder + "/" + steps[i].file);
        const double before = Difference(shown, folder + "/" + steps[i - 1].file);
        EXPECT_LT(own, kSameTolerance);
        if (before > 2 * kSameTolerance) ++checked;
        EXPECT_TRUE(own < before || before < kSameTolerance) << own << " vs " << before;
    }
    EXPECT_GT(checked, 2);  // the walk moves between the steps looked at
}

TEST(RenderVideo, SampleWalkLastsItsHoldsAndShowsEachStepAtItsTime) {
    test::TempDir dir;
    const std::vector<Step> steps = PathSteps("客廳.dsg", dir.File("path"), "160x120");
    ASSERT_GT(steps.size(), 20u);
    std::string messages;
    ASSERT_EQ(RunTool({"--video", dir.File("walk.mp4"), "--size", "160x120", "--fps", "10",
                   Sample("客廳.dsg")}, &messages), 0) << messages;
    EXPECT_NE(messages.find("wrote"), std::string::npos);
    EXPECT_NE(messages.find("50% ("), std::string::npos);  // a line per tenth off a terminal
    const video::VideoFacts facts = Probe(dir.File("walk.mp4"));
    EXPECT_EQ(facts.codec, "h264");
    EXPECT_EQ(facts.pixelFormat, "yuv420p");
    EXPECT_EQ(facts.width, 160);
    EXPECT_EQ(facts.height, 120);
    EXPECT_DOUBLE_EQ(facts.framesPerSecond, 10.0);
    EXPECT_NEAR(facts.durationSeconds, static_cast<double>(WalkMs(steps)) / 1000.0, 0.1);
    ExpectStepsShown(dir.File("walk.mp4"), steps, dir.File("path"), 7);
}

TEST(RenderVideo, SmoothMotionGlidesBetweenStepsAndKeepsTheirTimes) {
    test::TempDir dir;
    const std::vector<Step> steps = PathSteps("臥室.dsg", dir.File("path"), "160x120");
    ASSERT_EQ(RunTool({"--video", dir.File("smooth.mp4"), "--size", "160x120", "--fps", "30",
                   "--smooth-motion", Sample("臥室.dsg")}), 0);
    const video::VideoFacts facts = Probe(dir.File("smooth.mp4"));
    EXPECT_DOUBLE_EQ(facts.framesPerSecond, 30.0);
    EXPECT_NEAR(facts.durationSeconds, static_cast<double>(WalkMs(steps)) / 1000.0, 1.0 / 30);
    ExpectStepsShown(dir.File("smooth.mp4"), steps, dir.File("path"), 5);

    // A frame a third of the way through a step that changes the view much shows neither end
    // of it, but something nearer to where it comes from.
    video::VideoReader reader;
    ASSERT_TRUE(reader.Open(dir.File("smooth.mp4")));
    int between = 0;
    for (std::size_t i = 1; i + 1 < steps.size() && between < 3; ++i) {
        const std::string from = dir.File("path/" + steps[i].file);
        const std::string to = dir.File("path/" + steps[i + 1].file);
        std::vector<std::uint8_t> start;
        ASSERT_TRUE(reader.PictureAt(static_cast<double>(steps[i].atMs) / 1000.0, start));
        const double step = Difference(start, to);
        if (step < 4 * kSameTolerance || steps[i].holdMs != 100) continue;
        std::vector<std::uint8_t> shown;
        ASSERT_TRUE(reader.PictureAt((static_cast<double>(steps[i].atMs) + 40.0) / 1000.0, shown));
        SCOPED_TRACE(steps[i + 1].command + " changes the picture by " + std::to_string(step));
        EXPECT_GT(Difference(shown, from), kSameTolerance);
        EXPECT_GT(Difference(shown, to), kSameTolerance);
        EXPECT_LT(Difference(shown, from), Difference(shown, to));
        ++between;
    }
    EXPECT_EQ(between, 3);
}

// Another speed and pause change the holds of the path and the video alike.
TEST(RenderVideo, SlowSpeedAndShortPauseLastAsTheirHolds) {
    test::TempDir dir;
    const std::vector<Step> usual = PathSteps("臥室.dsg", dir.File("usual"), "64x48");
    ASSERT_EQ(RunTool({"--size", "64x48", "--speed", "3", "--pause", "0", "--path",
                       dir.File("slow"), Sample("臥室.dsg")}), 0);
    const std::vector<Step> slow = ReadSteps(dir.File("slow"));
    ASSERT_EQ(slow.size(), usual.size());
    EXPECT_GT(WalkMs(slow), WalkMs(usual));
    ASSERT_EQ(RunTool({"--video", dir.File("slow.mp4"), "--size", "64x48", "--fps", "10",
                       "--speed", "3", "--pause", "0", Sample("臥室.dsg")}), 0);
    EXPECT_NEAR(Probe(dir.File("slow.mp4")).durationSeconds,
                static_cast<double>(WalkMs(slow)) / 1000.0, 0.1);
}

TEST(RenderVideo, PlayListIsAsLongAsItsWalksTogether) {
    test::TempDir dir;
    const std::int64_t living = WalkMs(PathSteps("客廳.dsg", dir.File("a"), "64x48"));
    const std::int64_t bedroom = WalkMs(PathSteps("臥室.dsg", dir.File("b"), "64x48"));
    // Entries in code page 950, as the player writes them; a missing design and one without a
    // browse path are skipped.
    const std::string noPath = fs::absolute(std::string(std::getenv("ROAMER_TEST_DATA")) +
                                            "/designs/room23.dsg");
    const std::string list = *text::Utf8ToCp950(fs::absolute(Sample("客廳.dsg")).string() +
                                                "\r\nmissing.dsg\r\n" + noPath + "\r\n" +
                                                fs::absolute(Sample("臥室.dsg")).string() + "\r\n");
    const std::string vol = dir.Write("list.vol", list);
    std::string messages;
    ASSERT_EQ(RunTool({"--video", dir.File("list.mp4"), "--size", "64x48", "--fps", "10", "--passes",
                   "2", vol}, &messages), 0) << messages;
    EXPECT_NE(messages.find("skipped missing.dsg: it could not be loaded"), std::string::npos)
        << messages;
    EXPECT_NE(messages.find("room23.dsg: it has no browse path"), std::string::npos) << messages;
    const video::VideoFacts facts = Probe(dir.File("list.mp4"));
    EXPECT_NEAR(facts.durationSeconds, 2.0 * static_cast<double>(living + bedroom) / 1000.0, 0.1);
}

TEST(RenderVideo, BadInputIsRefusedWithAReasonAndNoFile) {
    test::TempDir dir;
    std::string messages;
    EXPECT_EQ(RunTool({"--video", dir.File("none/walk.mp4"), Sample("臥室.dsg")}, &messages), 1);
    EXPECT_NE(messages.find("cannot write"), std::string::npos) << messages;

    const std::string earlier = dir.Write("walk.mp4", "an earlier video");
    const std::string noPath = fs::absolute(std::string(std::getenv("ROAMER_TEST_DATA")) +
                                            "/designs/room23.dsg");
    EXPECT_EQ(RunTool({"--video", earlier, noPath}, &messages), 1);
    EXPECT_NE(messages.find("has no browse path"), std::string::npos) << messages;
    EXPECT_EQ(test::ReadWholeFile(earlier), "an earlier video");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);

    EXPECT_EQ(RunTool({"--video", dir.File("odd.mp4"), "--size", "63x47", "--fps", "5",
                   Sample("臥室.dsg")}, &messages), 0);
    EXPECT_NE(messages.find("63x47 is rounded to 64x48"), std::string::npos) << messages;
    EXPECT_EQ(Probe(dir.File("odd.mp4")).width, 64);

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--fps", "30", "a.dsg"}, {"--smooth-motion", "a.dsg"},
          {"a.vol"}, {"--video", "a.mp4", "--path", "d", "a.dsg"},
          {"--video", "a.mp4", "--fps", "0", "a.dsg"}, {"--video", "a.mp4", "--passes", "0", "a.dsg"}}) {
        RenderOptions o;
        EXPECT_NE(ParseRenderArguments(bad, o), "") << ::testing::PrintToString(bad);
    }
    RenderOptions help, version;
    EXPECT_EQ(ParseRenderArguments({"--help"}, help), "");
    EXPECT_TRUE(help.help);
    EXPECT_EQ(ParseRenderArguments({"--version"}, version), "");
    EXPECT_TRUE(version.version);
    EXPECT_NE(RenderHelp().find("--smooth-motion"), std::string::npos);
}

// A copy of the samples in which the living room's browse path walks `steps` steps straight on.
std::string StraightWalk(const test::TempDir& dir, int steps) {
    fs::copy(Sample(""), dir.File("samples"), fs::copy_options::recursive);
    const std::string rcd = dir.File("samples/客廳.rcd");
    std::string text = test::ReadWholeFile(rcd);
    text.resize(text.find("[KEY_STRING_BEGIN]"));
    text += "[KEY_STRING_BEGIN]\r\n    " + std::to_string(steps) + "\r\n    2.00000000\r\n    2.00000000\r\n";
    for (int i = 0; i < steps; ++i) text += "    \"CPS_GO_FRONT\"\r\n";
    text += "[KEY_STRING_END]\r\n[BROWS_RECORDER_END]\r\n";
    std::ofstream(rcd, std::ios::binary) << text;
    return dir.File("samples/客廳.dsg");
}

// The z column of every row of --path's frames.txt.
std::vector<double> PathDepths(const std::string& folder) {
    std::ifstream list(folder + "/frames.txt");
    std::string line;
    std::getline(list, line);
    std::vector<double> depths;
    while (std::getline(list, line)) {
        std::istringstream columns(line);
        std::string file, command;
        double hold, x, y, z;
        columns >> file >> command >> hold >> x >> y >> z;
        depths.push_back(z);
    }
    return depths;
}

TEST(RenderPath, CollisionStopsTheWalkAtAWall) {
    test::TempDir dir;
    const std::string design = StraightWalk(dir, 60);
    ASSERT_EQ(RunTool({"--size", "64x48", "--path", dir.File("free"), design}), 0);
    ASSERT_EQ(RunTool({"--size", "64x48", "--path", dir.File("walls"), "--collision", design}), 0);
    const std::vector<double> free = PathDepths(dir.File("free"));
    const std::vector<double> walls = PathDepths(dir.File("walls"));
    ASSERT_EQ(free.size(), 61u);
    ASSERT_EQ(walls.size(), 61u);
    // Without collision every step goes 10 units on from z -250, through the room's far wall.
    EXPECT_NEAR(free.front(), -250.0, 1e-3);
    EXPECT_NEAR(free.back() - free.front(), 600.0, 1e-3);
    EXPECT_EQ(walls.front(), free.front());
    // The far wall's near face is at plan y 300, drawn at one plan unit a scene unit: scene z 300.
    // A step is stopped when it ends within 3 plan units of that face or beyond it, so the walk
    // goes freely up to z 290 (54 steps) and the 6 steps after it are all stopped there.
    EXPECT_EQ(std::vector<double>(walls.begin(), walls.begin() + 55),
              std::vector<double>(free.begin(), free.begin() + 55));
    EXPECT_NEAR(walls[54], 290.0, 1e-3);
    for (std::size_t i = 55; i < walls.size(); ++i) EXPECT_EQ(walls[i], walls[54]) << i;
}

std::unique_ptr<rm::RenderSurface> Offscreen(int width, int height) {
    std::unique_ptr<gl::OffscreenSurface> surface;
    if (gl::OffscreenSurface::Create(width, height, &surface) != 0) return nullptr;
    return surface;
}

TEST(RenderVideo, StoppedExportKeepsAPlayableShorterVideoOrNone) {
    test::TempDir dir;
    app::WalkVideoRequest request;
    request.designs = {StraightWalk(dir, 40)};
    request.width = 64;
    request.height = 48;
    request.framesPerSecond = 10;
    request.output = dir.Write("walk.mp4", "an earlier video");
    app::WalkVideoHooks hooks;
    hooks.makeSurface = Offscreen;
    std::int64_t total = 0;
    hooks.progress = [&](const app::WalkVideoProgress& p) {
        total = p.framesTotal;
        return p.framesDone < 12;
    };
    app::WalkVideoResult result = app::ExportWalkVideo(request, hooks);
    EXPECT_EQ(result.outcome, app::WalkVideoOutcome::kStopped);
    EXPECT_FALSE(result.fileWritten);
    EXPECT_EQ(total, 41);  // the start and 40 steps, a tick each
    EXPECT_EQ(test::ReadWholeFile(request.output), "an earlier video");

    request.keepPartialOnCancel = true;
    result = app::ExportWalkVideo(request, hooks);
    EXPECT_TRUE(result.fileWritten);
    const video::VideoFacts facts = Probe(request.output);
    EXPECT_EQ(facts.frames, result.frames);
    EXPECT_GE(facts.frames, 12);
    EXPECT_LT(facts.frames, 41);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2);
}

TEST(RenderVideo, CtrlCStopsTheToolWithAPlayableFile) {
    test::TempDir dir;
    const std::string video = dir.File("walk.mp4");
    int errors[2];
    ASSERT_EQ(pipe(errors), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(errors[1], STDERR_FILENO);
        close(errors[0]);
        const std::string design = Sample("兩房公寓.dsg");
        execl(ROAMER_RENDER_EXE, ROAMER_RENDER_EXE, "--video", video.c_str(), "--size", "320x240",
              "--smooth-motion", design.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(errors[1]);
    // Ctrl+C once the first tenth is done; the rest of what it says is read to the end.
    std::string said;
    char buffer[256];
    bool interrupted = false;
    for (ssize_t n; (n = read(errors[0], buffer, sizeof buffer)) > 0;) {
        said.append(buffer, static_cast<std::size_t>(n));
        if (!interrupted && said.find("10% (") != std::string::npos) {
            kill(child, SIGINT);
            interrupted = true;
        }
    }
    close(errors[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << said;
    EXPECT_EQ(WEXITSTATUS(status), 130) << said;
    EXPECT_NE(said.find("stopped; "), std::string::npos) << said;
    video::VideoReader reader;
    ASSERT_TRUE(reader.Open(video)) << said;
    EXPECT_GT(reader.Facts().frames, 0);
    std::vector<std::uint8_t> last;
    EXPECT_TRUE(reader.PictureAt(reader.Facts().durationSeconds, last));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace roamer::tools
