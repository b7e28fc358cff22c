// The video encoder writes H.264 MP4 files that read back as written, appear at the target only
// when finished, and refuse what the encoder cannot take with a reason.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/video/video_encoder.h"
#include "platform/video/video_reader.h"
#include "support/temp_dir.h"

namespace roamer::video {
namespace {

namespace fs = std::filesystem;

struct Colour {
    std::uint8_t r, g, b;
};

std::vector<std::uint8_t> Solid(int width, int height, Colour c, PixelOrder order) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width * height) * 4u);
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        pixels[i] = order == PixelOrder::kRgba ? c.r : c.b;
        pixels[i + 1] = c.g;
        pixels[i + 2] = order == PixelOrder::kRgba ? c.b : c.r;
        pixels[i + 3] = 255;
    }
    return pixels;
}

VideoStatus Add(VideoEncoder& encoder, int width, int height, Colour c, std::int64_t count,
                PixelOrder order = PixelOrder::kRgba) {
    const std::vector<std::uint8_t> pixels = Solid(width, height, c, order);
    return encoder.AddFrame({pixels.data(), width, height, width * 4, order}, count);
}

// The colour in the middle of the picture shown at `seconds`.
Colour ShownAt(VideoReader& reader, double seconds) {
    std::vector<std::uint8_t> rgba;
    EXPECT_TRUE(reader.PictureAt(seconds, rgba)) << seconds;
    if (rgba.empty()) return {};
    const std::size_t middle =
        (static_cast<std::size_t>(reader.Facts().height / 2 * reader.Facts().width +
                                  reader.Facts().width / 2)) * 4u;
    return {rgba[middle], rgba[middle + 1], rgba[middle + 2]};
}

void ExpectNear(Colour got, Colour want) {
    EXPECT_NEAR(got.r, want.r, 4);
    EXPECT_NEAR(got.g, want.g, 4);
    EXPECT_NEAR(got.b, want.b, 4);
}

// Whether the MP4's index box comes before its media box, so a player can start at once.
bool IndexFirst(const std::string& path) {
    const std::string bytes = test::ReadWholeFile(path);
    const auto moov = bytes.find("moov");
    const auto mdat = bytes.find("mdat");
    return moov != std::string::npos && mdat != std::string::npos && moov < mdat;
}

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
    return names;
}

TEST(VideoEncoder, WritesFramesThatReadBackAtTheirTimes) {
    test::TempDir dir;
    const std::string path = dir.File("walk.mp4");
    VideoEncoder encoder;
    ASSERT_EQ(encoder.Open(path, 64, 48, 10), VideoStatus::kOk) << encoder.Problem();
    ASSERT_EQ(Add(encoder, 64, 48, {200, 40, 30}, 3), VideoStatus::kOk);
    ASSERT_EQ(Add(encoder, 64, 48, {30, 60, 210}, 2, PixelOrder::kBgra), VideoStatus::kOk);
    ASSERT_EQ(Add(encoder, 64, 48, {240, 240, 240}, 1), VideoStatus::kOk);
    EXPECT_FALSE(fs::exists(path));  // not before it is finished
    ASSERT_EQ(encoder.Finish(), VideoStatus::kOk) << encoder.Problem();
    EXPECT_EQ(FolderNames(dir.Path()), std::vector<std::string>{"walk.mp4"});
    EXPECT_TRUE(IndexFirst(path));

    VideoReader reader;
    ASSERT_TRUE(reader.Open(path)) << reader.Problem();
    const VideoFacts& facts = reader.Facts();
    EXPECT_EQ(facts.codec, "h264");
    EXPECT_EQ(facts.pixelFormat, "yuv420p");
    EXPECT_EQ(facts.width, 64);
    EXPECT_EQ(facts.height, 48);
    EXPECT_DOUBLE_EQ(facts.framesPerSecond, 10.0);
    EXPECT_NEAR(facts.durationSeconds, 0.6, 1e-6);
    EXPECT_EQ(facts.frames, 6);
    ExpectNear(ShownAt(reader, 0.0), {200, 40, 30});
    ExpectNear(ShownAt(reader, 0.29), {200, 40, 30});
    ExpectNear(ShownAt(reader, 0.3), {30, 60, 210});  // BGRA rows give the same colours
    ExpectNear(ShownAt(reader, 0.55), {240, 240, 240});
}

TEST(VideoEncoder, RefusesWhatItCannotTakeAndLeavesTheTargetAlone) {
    test::TempDir dir;
    VideoEncoder encoder;
    EXPECT_EQ(encoder.Open(dir.File("a.mp4"), 65, 48, 30), VideoStatus::kBadSize);
    EXPECT_NE(encoder.Problem().find("even"), std::string::npos);
    EXPECT_EQ(encoder.Open(dir.File("a.mp4"), 0, 48, 30), VideoStatus::kBadSize);
    EXPECT_EQ(encoder.Open(dir.File("a.mp4"), 64, 48, 0), VideoStatus::kBadFrameRate);
    EXPECT_EQ(encoder.Open(dir.File("no/such/folder/a.mp4"), 64, 48, 30), VideoStatus::kCannotWrite);
    EXPECT_NE(encoder.Problem().find("cannot write"), std::string::npos);
    EXPECT_EQ(encoder.Open(dir.Path(), 64, 48, 30), VideoStatus::kCannotWrite);
    EXPECT_EQ(Add(encoder, 64, 48, {1, 2, 3}, 1), VideoStatus::kNotOpen);

    // An earlier video at the target survives an export that is abandoned, fails or is dropped.
    const std::string kept = dir.Write("kept.mp4", "an earlier video");
    ASSERT_EQ(encoder.Open(kept, 64, 48, 30), VideoStatus::kOk);
    ASSERT_EQ(Add(encoder, 64, 48, {1, 2, 3}, 4), VideoStatus::kOk);
    EXPECT_EQ(Add(encoder, 32, 48, {1, 2, 3}, 1), VideoStatus::kBadSize);
    encoder.Abandon();
    ASSERT_EQ(encoder.Open(kept, 64, 48, 30), VideoStatus::kOk);
    EXPECT_EQ(encoder.Finish(), VideoStatus::kEncodeFailed);  // nothing added
    {
        VideoEncoder dropped;
        ASSERT_EQ(dropped.Open(kept, 64, 48, 30), VideoStatus::kOk);
        ASSERT_EQ(Add(dropped, 64, 48, {1, 2, 3}, 2), VideoStatus::kOk);
    }
    EXPECT_EQ(test::ReadWholeFile(kept), "an earlier video");
    EXPECT_EQ(FolderNames(dir.Path()), std::vector<std::string>{"kept.mp4"});
}

TEST(VideoReader, SaysWhyAFileCannotBeRead) {
    test::TempDir dir;
    VideoReader reader;
    EXPECT_FALSE(reader.Open(dir.File("none.mp4")));
    EXPECT_FALSE(reader.Open(dir.Write("text.mp4", "not a video at all")));
    EXPECT_FALSE(reader.Problem().empty());
    std::vector<std::uint8_t> rgba;
    EXPECT_FALSE(reader.PictureAt(0.0, rgba));
}

}  // namespace
}  // namespace roamer::video
