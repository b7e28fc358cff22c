// roamer-render on the sample rooms: every sample renders without a message, the polished floor
// shows the room's reflection, shadows darken the floor, and a replayed browse path writes one
// frame per command plus the start.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "nav/browse_path.h"
#include "nav/browse_path_loader.h"
#include "platform/recording_host.h"
#include "platform/rm/texture.h"
#include "roamer-render/render_command.h"
#include "support/temp_dir.h"

namespace roamer::tools {
namespace {

namespace fs = std::filesystem;

std::string Samples() {
    const char* root = std::getenv("ROAMER_TEST_DATA");
    return std::string(root ? root : "tests/data") + "/../../samples/";
}

const char* const kSamples[] = {"客廳", "臥室", "兩房公寓"};

// Renders `design` at a small size; the messages it printed come back in `messages`.
int Render(const std::vector<std::string>& args, std::string* messages = nullptr) {
    RenderOptions options;
    EXPECT_EQ(ParseRenderArguments(args, options), "");
    std::ostringstream err;
    const int result = RunRender(options, err);
    if (messages != nullptr) *messages = err.str();
    return result;
}

rm::Image Load(const std::string& png) {
    std::shared_ptr<rm::Texture> texture;
    EXPECT_EQ(rm::Texture::Load(png, &texture), 0) << png;
    return texture ? texture->GetImage() : rm::Image{};
}

// Mean brightness (0..765) of the rows from `fromRow` to the bottom.
double LowerBrightness(const rm::Image& image, int fromRow) {
    double sum = 0.0;
    long count = 0;
    for (int y = fromRow; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t c = image.PixelRGB(x, y);
            sum += ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF);
            ++count;
        }
    return count ? sum / static_cast<double>(count) : 0.0;
}

// A copy of the sample folder in which the living room is edited.
std::string EditedLivingRoom(const test::TempDir& dir, const std::string& from,
                             const std::string& to) {
    fs::copy(Samples(), dir.Path() + "/samples", fs::copy_options::recursive);
    const std::string path = dir.Path() + "/samples/客廳.dsg";
    std::string text = test::ReadWholeFile(path);
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

TEST(RenderArguments, RefusesWhatCannotBeUsed) {
    RenderOptions options;
    EXPECT_EQ(ParseRenderArguments({"--size", "320x200", "--view", "1,2,3,0.5,-0.1", "--smooth",
                                    "room.dsg"}, options), "");
    EXPECT_EQ(options.width, 320);
    EXPECT_EQ(options.height, 200);
    ASSERT_TRUE(options.view.has_value());
    EXPECT_EQ(options.view->position.z, 3.0f);
    EXPECT_DOUBLE_EQ(options.view->pitch, -0.1);
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{}, {"--size", "0x10", "a.dsg"}, {"--size", "10", "a.dsg"},
          {"--view", "1,2,3,4", "a.dsg"}, {"--view", "1,2,3,4,x", "a.dsg"},
          {"--speed", "4", "a.dsg"}, {"--pause", "-1", "a.dsg"}, {"--out"}, {"--what", "a.dsg"},
          {"a.dsg", "b.dsg"}, {"--path", "d", "--export-obj", "o.obj", "a.dsg"}}) {
        RenderOptions o;
        EXPECT_NE(ParseRenderArguments(bad, o), "") << ::testing::PrintToString(bad);
    }
}

TEST(RenderSamples, EverySampleRendersWithoutAMessage) {
    test::TempDir dir;
    for (const char* name : kSamples) {
        SCOPED_TRACE(name);
        const std::string out = dir.File(std::string(name) + ".png");
        std::string messages;
        ASSERT_EQ(Render({"--size", "160x120", "--out", out, Samples() + name + ".dsg"}, &messages), 0);
        EXPECT_EQ(messages, "");
        const rm::Image image = Load(out);
        ASSERT_EQ(image.width, 160);
        ASSERT_EQ(image.height, 120);
        // A room, not an empty picture: many colours, and no black sky showing.
        std::set<std::uint32_t> colours;
        int black = 0;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                colours.insert(image.PixelRGB(x, y));
                black += image.PixelRGB(x, y) == 0;
            }
        EXPECT_GT(colours.size(), 500u);
        EXPECT_LT(black, image.width * image.height / 50);
    }
    std::string messages;
    EXPECT_NE(Render({"--out", dir.File("none.png"), dir.File("none.dsg")}, &messages), 0);
    EXPECT_NE(messages.find("could not be loaded"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.File("none.png")));
}

TEST(RenderSamples, PolishedFloorShowsTheRoomAndShadowsDarkenIt) {
    // Full size: the projection keeps 500 pixels per unit, so a smaller picture would show only
    // the middle of the view, without the floor.
    test::TempDir plain, opaque, unshaded;
    ASSERT_EQ(Render({"--out", plain.File("a.png"), Samples() + "客廳.dsg"}), 0);
    const std::string matt = EditedLivingRoom(opaque, "PowerFlag\r\n    0.72000000", "PowerFlag\r\n    1.00000000");
    ASSERT_EQ(Render({"--out", opaque.File("a.png"), matt}), 0);
    const std::string noShadow = EditedLivingRoom(unshaded, "Shadow\r\n    1\r\n", "Shadow\r\n    0\r\n");
    ASSERT_EQ(Render({"--out", unshaded.File("a.png"), noShadow}), 0);
    const rm::Image shown = Load(plain.File("a.png"));
    const rm::Image matte = Load(opaque.File("a.png"));
    const rm::Image light = Load(unshaded.File("a.png"));
    ASSERT_EQ(shown.height, 480);
    // The floor fills the bottom rows of the opening view: the reflection shows through it
    // where it is polished, and it is brighter without the shadows cast on it.
    int differing = 0;
    for (int y = 420; y < 480; ++y)
        for (int x = 0; x < 640; ++x) differing += shown.PixelRGB(x, y) != matte.PixelRGB(x, y);
    EXPECT_GT(differing, 640 * 60 / 2);
    EXPECT_LT(LowerBrightness(shown, 330), LowerBrightness(light, 330) - 2.0);
}

struct PathRow {
    std::string file, command;
    int hold = 0;
    double x = 0, y = 0, z = 0, heading = 0, pitch = 0;
};

std::vector<PathRow> ReadPathRows(const std::string& folder, std::string& heading) {
    std::ifstream list(folder + "/frames.txt");
    std::getline(list, heading);
    std::vector<PathRow> rows;
    for (std::string line; std::getline(list, line);) {
        std::istringstream columns(line);
        PathRow r;
        columns >> r.file >> r.command >> r.hold >> r.x >> r.y >> r.z >> r.heading >> r.pitch;
        EXPECT_FALSE(columns.fail()) << line;
        rows.push_back(r);
    }
    return rows;
}

TEST(RenderSamples, ReplayedPathListsEachCommandWithItsHoldAndTheView) {
    for (const char* name : kSamples) {
        SCOPED_TRACE(name);
        test::TempDir dir;
        RecordingHost host;
        nav::BrowsePath path;
        ASSERT_TRUE(nav::LoadBrowsePathFile(Samples() + name + ".rcd", path, host));
        ASSERT_EQ(Render({"--size", "64x48", "--path", dir.Path() + "/frames", "--speed", "2",
                          "--pause", "1", Samples() + name + ".dsg"}), 0);
        std::string heading;
        const std::vector<PathRow> rows = ReadPathRows(dir.Path() + "/frames", heading);
        EXPECT_EQ(heading, "# frame\tcommand\thold_ms\tx\ty\tz\theading\tpitch\r");
        ASSERT_EQ(rows.size(), path.GetCount() + 1);
        std::size_t stops = 0, walks = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const PathRow& r = rows[i];
            SCOPED_TRACE(r.file + " " + r.command);
            EXPECT_TRUE(fs::exists(dir.Path() + "/frames/" + r.file));
            // Speed 2 ticks every 150 ms; a recorded stop adds the pause of 100 ms.
            const bool stop = r.command == "CPS_TIME_STAMP";
            stops += stop;
            EXPECT_EQ(r.hold, stop ? 250 : 150);
            if (i == 0 || r.command != "CPS_GO_FRONT") continue;
            // A step forward goes 10 units (2 with Shift) the way the viewer faces.
            const PathRow& before = rows[i - 1];
            const double dx = r.x - before.x, dz = r.z - before.z;
            const double length = std::hypot(dx, dz);
            EXPECT_TRUE(std::abs(length - 10.0) < 1e-3 || std::abs(length - 2.0) < 1e-3) << length;
            EXPECT_NEAR(dx, -length * std::sin(r.heading), 1e-3);
            EXPECT_NEAR(dz, length * std::cos(r.heading), 1e-3);
            ++walks;
        }
        EXPECT_GT(stops, 0u);
        EXPECT_GT(walks, 0u);
        // The walk starts at the recorded start.
        nav::BrowseView head;
        ASSERT_TRUE(path.GetHeadPosition(head));
        EXPECT_FLOAT_EQ(static_cast<float>(rows.front().x), head.position.x);
        EXPECT_FLOAT_EQ(static_cast<float>(rows.front().y), head.position.y);
        EXPECT_FLOAT_EQ(static_cast<float>(rows.front().z), head.position.z);
        EXPECT_NEAR(rows.front().heading, head.heading, 1e-9);
        EXPECT_NEAR(rows.front().pitch, head.pitch, 1e-9);
    }
}

TEST(RenderSamples, ExportsTheSceneAsObjWithMaterials) {
    test::TempDir dir;
    ASSERT_EQ(Render({"--export-obj", dir.File("room.obj"), Samples() + "臥室.dsg"}), 0);
    const std::string obj = test::ReadWholeFile(dir.File("room.obj"));
    const std::string mtl = test::ReadWholeFile(dir.File("room.mtl"));
    EXPECT_NE(obj.find("mtllib room.mtl"), std::string::npos);
    EXPECT_GT(std::count(obj.begin(), obj.end(), 'f'), 500);
    EXPECT_NE(mtl.find("map_Kd room_"), std::string::npos);
    const auto texture = mtl.find("map_Kd ");
    const std::string file = mtl.substr(texture + 7, mtl.find('\n', texture) - texture - 7);
    EXPECT_TRUE(fs::exists(dir.File(file))) << file;
}

}  // namespace
}  // namespace roamer::tools
