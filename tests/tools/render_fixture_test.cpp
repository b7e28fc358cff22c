// roamer-render on tiny designs built in the test with the room builder and saved with our own
// design writer: what the camera sees must be the colours the design gives, lit by the design's
// ambient light alone (only the shadow's design has a light of its own).
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "dsg/design_file.h"
#include "make-samples/room_builder.h"
#include "platform/rm/texture.h"
#include "roamer-render/png_writer.h"
#include "roamer-render/render_command.h"
#include "support/temp_dir.h"

namespace roamer::tools {
namespace {

using samples::Finish;
using samples::RoomBuilder;

// Not grey, so that a channel taken from the wrong place shows.
constexpr std::uint32_t kAmbient = 0x60A0E0;
const Finish kRed{-1, "", "", 0xFFC06030, 100.0f};
const Finish kBlue{-1, "", "", 0xFF3050C0, 100.0f};
const Finish kPlain{-1, "", "", 0xFF808080, 100.0f};

struct Rgb {
    int r, g, b;
};
Rgb Split(std::uint32_t c) {
    return {static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF),
            static_cast<int>(c & 0xFF)};
}

// What a face of `colour` looks like under the ambient light alone.
Rgb Lit(rm::Color colour) {
    const Rgb c = Split(colour), a = Split(kAmbient);
    return {c.r * a.r / 255, c.g * a.g / 255, c.b * a.b / 255};
}

// Rounding and dithering may move a channel by a step or two, nothing more.
bool Near(std::uint32_t pixel, Rgb want, int tolerance = 3) {
    const Rgb p = Split(pixel);
    return std::abs(p.r - want.r) <= tolerance && std::abs(p.g - want.g) <= tolerance &&
           std::abs(p.b - want.b) <= tolerance;
}

std::string Describe(std::uint32_t pixel) {
    std::ostringstream s;
    s << std::hex << "0x" << pixel;
    return s.str();
}

// Saves what the builder holds as `name` in its folder; the header opens at an unrelated view,
// so every test places its camera with --view.
std::string Save(RoomBuilder& b, const std::string& folder, const std::string& name) {
    EXPECT_TRUE(b.Host().Messages().empty());
    dsg::CDesignFile file(b.Host());
    const dsg::CDesignHeader header = dsg::HeaderForSaving(2.0, 0.5, {0, 900, 0}, kAmbient, 3, 5);
    model::CRoomDesign& d = b.Design();
    const std::string path = folder + "/" + name;
    EXPECT_TRUE(file.OpenWrite(path) && file.WriteHeader(header) && file.WriteWalls(d) &&
                file.WriteFloors(d) && file.WriteCeilings(d) && file.WriteFurniture(d) &&
                file.WriteLights(d) && file.WritePlants(d) && file.Close());
    return path;
}

// Renders the design at 640x480 (the projection keeps 500 pixels per unit, so the size sets the
// field of view) from `view` and reads the picture back.
rm::Image Render(const std::string& design, const std::string& view) {
    const std::string png = std::filesystem::path(design).replace_extension(".png").string();
    RenderOptions options;
    EXPECT_EQ(ParseRenderArguments({"--view", view, "--out", png, design}, options), "");
    std::ostringstream err;
    EXPECT_EQ(RunRender(options, err), 0);
    EXPECT_EQ(err.str(), "");
    std::shared_ptr<rm::Texture> texture;
    EXPECT_EQ(rm::Texture::Load(png, &texture), 0) << png;
    return texture ? texture->GetImage() : rm::Image{};
}

TEST(RenderFixtures, WallInFrontShowsItsColourUnderTheAmbientLight) {
    test::TempDir dir;
    RoomBuilder b(dir.Path());
    // Red on the side facing the camera, blue on the far side: seeing blue means the wrong side.
    b.WallAlongX(100, -400, 400, 10, 260, kRed, kBlue);
    const rm::Image image = Render(Save(b, dir.Path(), "wall.dsg"), "0,130,-100,0,0");
    ASSERT_EQ(image.width, 640);
    for (const auto& [x, y] : {std::pair{320, 240}, {100, 240}, {540, 240}, {320, 100}})
        EXPECT_TRUE(Near(image.PixelRGB(x, y), Lit(kRed.colour)))
            << x << "," << y << ": " << Describe(image.PixelRGB(x, y));
}

TEST(RenderFixtures, DoorOpeningShowsTheRoomBehindIt) {
    test::TempDir dir;
    RoomBuilder b(dir.Path());
    b.WallAlongX(100, -400, 400, 10, 260, kRed, kRed, {{-60.0f, 60.0f, 220.0f}});
    b.WallAlongX(300, -400, 400, 10, 260, kBlue, kBlue);
    const rm::Image image = Render(Save(b, dir.Path(), "door.dsg"), "0,130,-100,0,0");
    ASSERT_EQ(image.width, 640);
    // Through the middle of the opening: the back wall. Beside the opening: the front wall,
    // which hides the back wall behind it.
    EXPECT_TRUE(Near(image.PixelRGB(320, 240), Lit(kBlue.colour)))
        << Describe(image.PixelRGB(320, 240));
    for (const int x : {40, 600})
        EXPECT_TRUE(Near(image.PixelRGB(x, 240), Lit(kRed.colour)))
            << x << ": " << Describe(image.PixelRGB(x, 240));
}

TEST(RenderFixtures, TexturedFloorShowsItsPicture) {
    test::TempDir dir;
    // A checkerboard of light and dark squares, 8 texels each.
    std::filesystem::create_directories(dir.Path() + "/tex");
    rm::Picture check{64, 64, std::vector<std::uint8_t>(64 * 64 * 4, 0xFF)};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const std::uint8_t v = ((x / 8 + y / 8) % 2) ? 0xF0 : 0x30;
            for (int c = 0; c < 3; ++c) check.rgba[static_cast<std::size_t>((y * 64 + x) * 4 + c)] = v;
        }
    ASSERT_TRUE(WritePng(check, dir.Path() + "/tex/check.png"));
    RoomBuilder b(dir.Path());
    const Finish checked{1, "棋盤", "tex\\check.png", 0xFFFFFFFF, 40.0f};
    b.Floor(-400, -400, 400, 400, checked, 1.0);
    b.WallAlongX(400, -400, 400, 10, 260, kPlain, kPlain);
    const rm::Image image = Render(Save(b, dir.Path(), "floor.dsg"), "0,150,-200,0,-0.6");
    ASSERT_EQ(image.height, 480);
    // The lower half sees only floor: both kinds of square, each lit by the ambient light. A
    // floor drawn in its plain colour, or with the picture lost, shows one colour only.
    const Rgb dark = Lit(0x303030), light = Lit(0xF0F0F0);
    int darkPixels = 0, lightPixels = 0, pixels = 0;
    for (int y = 240; y < 480; ++y)
        for (int x = 0; x < 640; ++x, ++pixels) {
            darkPixels += Near(image.PixelRGB(x, y), dark, 6);
            lightPixels += Near(image.PixelRGB(x, y), light, 6);
        }
    EXPECT_GT(darkPixels, pixels / 5);
    EXPECT_GT(lightPixels, pixels / 5);
}

// A red wall standing on a grey floor, polished (`powerFlag` below 1) or matte.
std::string ReflectingWall(const test::TempDir& dir, double powerFlag) {
    RoomBuilder b(dir.Path());
    b.Floor(-400, -400, 400, 400, kPlain, powerFlag);
    b.WallAlongX(200, -400, 400, 10, 260, kRed, kRed).Reflect = 1;
    return Save(b, dir.Path(), "reflect.dsg");
}

TEST(RenderFixtures, PolishedFloorShowsTheWallsReflection) {
    test::TempDir polishedDir, matteDir;
    const char* view = "0,100,-100,0,-0.3";
    const rm::Image polished = Render(ReflectingWall(polishedDir, 0.5), view);
    const rm::Image matte = Render(ReflectingWall(matteDir, 1.0), view);
    ASSERT_EQ(polished.height, 480);
    ASSERT_EQ(matte.height, 480);
    // The wall's foot in the middle column: the first row of matte floor below the wall.
    const Rgb floor = Lit(kPlain.colour), wall = Lit(kRed.colour);
    int foot = 0;
    while (foot < 480 && !Near(matte.PixelRGB(320, foot), floor)) ++foot;
    ASSERT_LT(foot, 440);
    EXPECT_TRUE(Near(matte.PixelRGB(320, foot - 3), wall)) << Describe(matte.PixelRGB(320, foot - 3));
    // Just below it the mirrored wall shows through the polished floor: the floor's colour
    // moves towards the wall's (more red, less blue), where the matte floor keeps its own.
    for (int y = foot + 5; y < foot + 40; y += 5) {
        const Rgb p = Split(polished.PixelRGB(320, y));
        EXPECT_TRUE(Near(matte.PixelRGB(320, y), floor)) << y;
        EXPECT_GT(p.r, floor.r + 5) << y << ": " << Describe(polished.PixelRGB(320, y));
        EXPECT_LT(p.b, floor.b - 5) << y << ": " << Describe(polished.PixelRGB(320, y));
    }
}

// A low wall lit from in front by a point light, casting its shadow (or not) on the floor
// behind it.
std::string LowWallUnderALight(const test::TempDir& dir, bool shadow) {
    RoomBuilder b(dir.Path());
    b.Floor(-400, -400, 400, 400, kPlain, 1.0);
    model::CWall& wall = b.WallAlongX(100, -100, 100, 10, 50, kRed, kRed);
    b.Light(1, 0xFFC0C0C0, {0, 150, 0});
    wall.Shadow = shadow ? 1 : 0;
    wall.ShadowLightIndex = 1;
    return Save(b, dir.Path(), "shadow.dsg");
}

TEST(RenderFixtures, ShadowIsDarkerThanTheFloorAroundIt) {
    test::TempDir withDir, withoutDir;
    const char* view = "0,300,-100,0,-0.9";  // looking down over the wall
    const rm::Image with = Render(LowWallUnderALight(withDir, true), view);
    const rm::Image without = Render(LowWallUnderALight(withoutDir, false), view);
    ASSERT_EQ(with.height, 480);
    ASSERT_EQ(without.height, 480);
    const auto brightness = [](std::uint32_t c) {
        const Rgb p = Split(c);
        return p.r + p.g + p.b;
    };
    // Where the shadow lies the floor is clearly darker than the same floor without it; nothing
    // gets brighter, and most of the floor around it stays as it was.
    int darker = 0, brighter = 0, same = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const int d = brightness(with.PixelRGB(x, y)) - brightness(without.PixelRGB(x, y));
            darker += d < -30;
            brighter += d > 6;
            same += std::abs(d) <= 6;
        }
    EXPECT_GT(darker, 640 * 480 / 50);
    EXPECT_EQ(brighter, 0);
    EXPECT_GT(same, 640 * 480 / 2);
}

}  // namespace
}  // namespace roamer::tools
