// Random and mutated files fed to every reader: they must fail cleanly, never crash, hang or
// allocate from a number in the file. Run under the sanitizers this finds reads past buffers.
#include <filesystem>
#include <random>

#include <gtest/gtest.h>

#include "app/design_session.h"
#include "app/play_list.h"
#include "dsg/tagged_text_file.h"
#include "nav/browse_file.h"
#include "platform/recording_host.h"
#include "platform/text/cp950.h"
#include "roamer-check/file_report.h"
#include "support/temp_dir.h"

namespace roamer {
namespace {

const std::string kBrowseSeed =
    "[BROWS_RECORDER_BEGIN]\r\n[HEADER_BEGIN]\r\n"
    "<\xAB\xC7\xA4\xBA\xB3\x5D\xAD\x70\xA8\x74\xB2\xCE\xC2\x73\xC4\xFD\xC0\xC9\xAE\xD7>\r\n"
    "Version\r\n    1.1\r\n[HEADER_END]\r\n[HEAD_POSITION_BEGIN]\r\n    1.0,2.0,3.0\r\n"
    "    0.5\r\n    -0.25\r\n[HEAD_POSITION_END]\r\n[TAIL_POSITION_BEGIN]\r\n    4,5,6\r\n"
    "    1.5\r\n    0.1\r\n[TAIL_POSITION_END]\r\n[KEY_STRING_BEGIN]\r\n    2\r\n    2.0\r\n"
    "    2.0\r\n    \"CPS_GO_FRONT\"\r\n    \"CPS_TIME_STAMP\"\r\n[KEY_STRING_END]\r\n"
    "[BROWS_RECORDER_END]\r\n";

const std::string kListsSeed =
    "Name\r\n    \"Sofa, big\"\r\nBEGIN_VECTORLIST\r\nCount\r\n    2\r\n    1,2,3\r\n"
    "    4,5,6\r\nEND_VECTORLIST\r\nBEGIN_POLYLINE\r\nCount\r\n    2\r\n    1,2\r\n    3,4\r\n"
    "END_POLYLINE\r\nBEGIN_DOUBLEARRAY\r\nCount\r\n    1\r\n    0.5\r\nEND_DOUBLEARRAY\r\n"
    "Pair\r\n    3,4\r\n";

const std::string kPlayListSeed = "room1.dsg\r\nsub\\room2.DSG\r\n\xAB\xC8\xC6\x55.dsg\r\n";

std::string Mutate(std::string text, std::mt19937& rng) {
    static const std::string kInteresting[] = {
        "\r", "\n", "\r\n", "\"", ";", ",", " ", "-", "2147483647", "-2147483648", "99999999999",
        "1e999", "\0", "\xAB", "BEGIN_VECTORLIST", "Count", "END_POLYLINE", "[KEY_STRING_END]"};
    const int edits = 1 + static_cast<int>(rng() % 8);
    for (int e = 0; e < edits; ++e) {
        const std::size_t at = text.empty() ? 0 : rng() % (text.size() + 1);
        switch (rng() % 6) {
            case 5:  // a long run that pushes what follows across a read block
                text.insert(at, std::string(65530 + rng() % 10, rng() % 2 ? ' ' : 'x'));
                break;
            case 0:  // flip a byte
                if (at < text.size()) text[at] = static_cast<char>(rng() & 0xFF);
                break;
            case 1:  // insert something the parsers look at
                text.insert(at, kInteresting[rng() % std::size(kInteresting)]);
                break;
            case 2:  // cut the file short
                text.resize(at);
                break;
            case 3:  // repeat a piece
                if (at < text.size()) text.insert(at, text.substr(at, rng() % 64));
                break;
            default:  // drop a piece
                if (at < text.size()) text.erase(at, rng() % 32);
        }
    }
    return text;
}

std::string RandomBytes(std::mt19937& rng) {
    std::string text(rng() % 2048, '\0');
    for (char& c : text) c = static_cast<char>(rng() & 0xFF);
    return text;
}

void ReadEverything(const std::string& path) {
    dsg::CTaggedTextFile file;
    ASSERT_TRUE(file.OpenRead(path));
    std::string text;
    std::vector<dsg::Vector3f> vectors;
    std::vector<dsg::Point2d> points;
    std::vector<double> values;
    std::vector<std::string> tokens;
    std::int32_t a = 0, b = 0;
    file.SetFileVersion(2.3);
    file.FindKey("Name");
    file.ReadString(text);
    file.ReadVectorList(vectors);
    file.ReadPolyline(points);
    file.ReadDoubleArray(values);
    file.ReadIntPair(a, b);
    file.ReadTokenList(4, tokens);
    while (file.ReadTextToken(text)) {
    }
    file.Close();

    RecordingHost host;
    nav::CBrowseFile browse(host);
    nav::BrowsePath browsePath;
    ASSERT_TRUE(browse.OpenRead(path));
    browse.ReadPath(browsePath);
    browse.Close();
    EXPECT_LE(host.Messages().size(), 1u);

    std::vector<std::string> list;
    app::OpenPlayListFile(path, list);
    for (const std::string& entry : list) EXPECT_LE(entry.size(), app::kMaxPlayListLine);
}

// The reports of roamer-check stay one line of UTF-8 without raw control characters.
void CheckReports(const test::TempDir& dir, const std::string& text) {
    for (const char* name : {"input.vol", "input.rcd"}) {
        const tools::FileReport report = tools::CheckFile(dir.Write(name, text));
        EXPECT_TRUE(text::IsValidUtf8(report.json));
        EXPECT_TRUE(text::IsValidUtf8(report.text));
        for (char c : report.json) ASSERT_GE(static_cast<unsigned char>(c), 0x20) << report.json;
    }
}

TEST(HostileInput, MutatedAndRandomFilesFailCleanly) {
    test::TempDir dir;
    std::mt19937 rng(20261206);
    const std::string seeds[] = {kBrowseSeed, kListsSeed, kPlayListSeed};
    const std::string path = dir.File("input");
    for (int i = 0; i < 1500; ++i) {
        const std::string text =
            i % 10 == 9 ? RandomBytes(rng) : Mutate(seeds[static_cast<std::size_t>(i) % 3], rng);
        dir.Write("input", text);
        ReadEverything(path);
        if (i % 5 == 0) CheckReports(dir, text);
        if (HasFatalFailure()) return;
    }
}

TEST(HostileInput, HugeCountsMeetTheEndOfTheFile) {
    test::TempDir dir;
    std::string browse = kBrowseSeed;
    browse.replace(browse.find("    2\r\n"), 7, "    2147483647\r\n");
    RecordingHost host;
    nav::CBrowseFile file(host);
    nav::BrowsePath path;
    ASSERT_TRUE(file.OpenRead(dir.Write("huge.rcd", browse)));
    EXPECT_FALSE(file.ReadPath(path));
    EXPECT_EQ(host.Messages(), std::vector<std::string>{"無法讀取瀏覽路徑"});
    // Each name line is taken once; the end marks fail the quote check.
    EXPECT_EQ(path.GetCount(), 2u);
}

// Designs: mutated copies of a fixture beside its textures, models and pictures are loaded the
// way the player loads them and reported by roamer-check; every failure must be clean.
class NullView : public app::DesignView {
public:
    void ApplyViewer(const app::ViewerState&) override {}
    void SetAmbientColor(rm::Color) override {}
    app::ViewerState GetViewer() const override { return {}; }
    void LoadBrowsePath(const std::string&) override {}
};

std::string DesignData(const std::string& name) {
    const char* root = std::getenv("ROAMER_TEST_DATA");
    return std::string(root ? root : "tests/data") + "/designs/" + name;
}

std::string MutateDesign(std::string text, std::mt19937& rng) {
    static const std::string kKeys[] = {
        "BEGIN_FACEOBJ\r\n", "END_FACEOBJ\r\n", "Type\r\n    0\r\n", "Count\r\n    99999\r\n",
        "    -1\r\n", "    1e30,1e30,1e30\r\n", "RefineScale\r\n    0.0001\r\n",
        "SECTION_WALL\r\n", "END_SECTION\r\n", "    nan\r\n", "BEGIN_SUBFACELIST\r\n"};
    const int edits = 1 + static_cast<int>(rng() % 4);
    for (int e = 0; e < edits; ++e) {
        const std::size_t at = rng() % (text.size() + 1);
        if (rng() % 2)
            text.insert(at, kKeys[rng() % std::size(kKeys)]);
        else
            text = Mutate(std::move(text), rng);
    }
    return text;
}

TEST(HostileInput, MutatedDesignsLoadOrFailCleanly) {
    test::TempDir dir;
    namespace fs = std::filesystem;
    for (const char* sub : {"tex", "models", "plants"})
        fs::copy(DesignData(sub), dir.Path() + "/" + sub, fs::copy_options::recursive);
    const std::string seeds[] = {test::ReadWholeFile(DesignData("room246.dsg")),
                                 test::ReadWholeFile(DesignData("room23.dsg")),
                                 test::ReadWholeFile(DesignData("room25.dsg"))};
    std::mt19937 rng(5150);
    rm::RetainedMode d3drm;
    auto scene = d3drm.CreateScene();
    rm::Frame* room = scene->CreateChild();
    for (int i = 0; i < 240; ++i) {
        const std::string text = MutateDesign(seeds[static_cast<std::size_t>(i) % 3], rng);
        const std::string path = dir.Write("input" + std::to_string(i % 2) + ".dsg", text);
        RecordingHost host;
        host.SetDefaultAnswer(i % 4 == 0 ? Host::Answer::kNo : Host::Answer::kYes);
        NullView view;
        {
            app::DesignSession session(d3drm, room, scene.get(), host, view, "");
            const bool loaded = session.LoadDesign(path);
            if (!loaded) {
                EXPECT_EQ(session.LoadedPath(), "");
                EXPECT_FALSE(host.Messages().empty());
            }
            if (loaded && i % 3 == 0) session.SaveDesign(dir.File("saved.dsg"));
            EXPECT_EQ(host.WaitDepth(), 0);
        }
        EXPECT_TRUE(room->GetChildren().empty());
        if (i % 8 == 0) {
            const tools::FileReport report = tools::CheckFile(path);
            EXPECT_TRUE(text::IsValidUtf8(report.json));
        }
        if (HasFatalFailure()) return;
    }
}

// The messages of loading a fixture design whose texture, furniture model and plant picture are
// replaced by the given files, or missing where none is given.
std::vector<std::string> MessagesWith(const char* picture, const char* model) {
    namespace fs = std::filesystem;
    test::TempDir dir;
    for (const char* sub : {"tex", "models", "plants"})
        fs::copy(DesignData(sub), dir.Path() + "/" + sub, fs::copy_options::recursive);
    const std::string hostile = DesignData("../hostile/");
    for (const char* file : {"/tex/wood.bmp", "/plants/tree.bmp"}) {
        fs::remove(dir.Path() + file);
        if (picture) fs::copy_file(hostile + picture, dir.Path() + file);
    }
    fs::remove(dir.Path() + "/models/chair.x");
    if (model) fs::copy_file(hostile + model, dir.Path() + "/models/chair.x");
    rm::RetainedMode d3drm;
    auto scene = d3drm.CreateScene();
    RecordingHost host;
    NullView view;
    app::DesignSession session(d3drm, scene->CreateChild(), scene.get(), host, view, "");
    session.LoadDesign(dir.Write("room.dsg", test::ReadWholeFile(DesignData("room246.dsg"))));
    return host.Messages();
}

// Each texture, furniture model and plant picture gives its message of a file it cannot read.
TEST(HostileInput, HostilePicturesAndModelsGiveTheMessagesOfMissingFiles) {
    const std::vector<std::string> missing = MessagesWith(nullptr, nullptr);
    ASSERT_EQ(missing.size(), 8u);
    const std::pair<const char*, const char*> cases[] = {
        {"hdr_49_bytes.hdr", "binary_239_bytes.x"},
        {"bomb_tga.tga", "negative_vertex_count.x"},
        {"bomb_psd.psd", "z_v400.x"}};
    for (const auto& [picture, model] : cases) {
        EXPECT_EQ(MessagesWith(picture, model), missing) << picture << " " << model;
    }
}

}  // namespace
}  // namespace roamer
