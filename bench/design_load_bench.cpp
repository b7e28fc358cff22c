// Loading a large design: 200 walls with doors and refined faces, 300 furniture pieces sharing
// 20 models, 50 plants and 20 lights. Each phase is measured on its own (reading the text,
// loading the models, loading the textures) beside the whole load that builds the scene.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/design_session.h"
#include "dsg/design_file.h"
#include "platform/recording_host.h"

namespace {

namespace fs = std::filesystem;
using namespace roamer;

constexpr const char* kChair =
    "xof 0302txt 0032\n"
    "Mesh chair {\n 8;\n 0.0;0.0;0.0;, 1.0;0.0;0.0;, 1.0;1.0;0.0;, 0.0;1.0;0.0;,\n"
    " 0.0;0.0;1.0;, 1.0;0.0;1.0;, 1.0;1.0;1.0;, 0.0;1.0;1.0;;\n"
    " 6;\n 4;0,3,2,1;, 4;4,5,6,7;, 4;0,1,5,4;, 4;2,3,7,6;, 4;1,2,6,5;, 4;0,4,7,3;;\n}\n";

std::string Ppm(int width, int height) {
    std::string bytes = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    for (int i = 0; i < width * height; ++i) bytes += (i % 7 != 0) ? std::string("\x20\x90\x30", 3) : std::string(3, '\0');
    return bytes;
}

// Tagged text lines of the design.
class Text {
public:
    Text& Key(const char* key) { m_out << key << "\r\n"; return *this; }
    Text& Int(long v) { m_out << "    " << v << "\r\n"; return *this; }
    Text& Num(double v) { m_out << "    " << v << "\r\n"; return *this; }
    Text& Str(const std::string& v) { m_out << "    \"" << v << "\"\r\n"; return *this; }
    Text& Vec(double x, double y, double z) {
        m_out << "    " << x << "," << y << "," << z << "\r\n";
        return *this;
    }
    Text& Vectors(std::initializer_list<rm::Vector3> vs) {
        Key("BEGIN_VECTORLIST").Key("Count").Int(static_cast<long>(vs.size()));
        for (const rm::Vector3& v : vs) Vec(v.x, v.y, v.z);
        return Key("END_VECTORLIST");
    }
    // A textured surface of one polygon.
    Text& Surface(std::initializer_list<rm::Vector3> vs, rm::Vector3 yn, rm::Vector3 zn,
                  int refine, int textureId) {
        Key("BEGIN_FACEOBJ").Key("Type").Int(0).Key("VectorList").Vectors(vs);
        Key("IsRefine").Int(refine).Key("RefineScale").Num(25).Key("YNormal").Vec(yn.x, yn.y, yn.z);
        Key("ZNormal").Vec(zn.x, zn.y, zn.z).Key("Origin").Vec(0, 0, 0);
        Key("OffsetU").Num(0).Key("OffsetV").Num(0).Key("ScaleU").Num(30).Key("ScaleV").Num(30);
        Key("Color").Int(-1).Key("TextureID").Int(textureId).Key("TextureTypeID").Int(1);
        Key("VenderID").Int(1).Key("TextureName").Str("t" + std::to_string(textureId));
        Key("TextureFile").Str("tex\\t" + std::to_string(textureId) + ".ppm");
        Key("SubFaceList").Key("BEGIN_SUBFACELIST").Key("Count").Int(1);
        Key("BEGIN_FACEOBJ").Key("Type").Int(1).Key("VectorList").Vectors(vs);
        Key("IsRefine").Int(refine).Key("RefineScale").Num(25).Key("YNormal").Vec(yn.x, yn.y, yn.z);
        Key("ZNormal").Vec(zn.x, zn.y, zn.z).Key("END_FACEOBJ");
        return Key("END_SUBFACELIST").Key("END_FACEOBJ");
    }
    std::string Str() const { return m_out.str(); }

private:
    std::ostringstream m_out;
};

std::string Header() {
    Text t;
    t.Key("<\xAB\xC7\xA4\xBA\xB3\x5D\xAD\x70\xA8\x74\xB2\xCE\xC0\xC9\xAE\xD7>").Key("SECTION_HEADER");
    t.Key("Version").Num(2.46);
    for (const char* k : {"Min_Furniture_Move_Horizontal_Unit", "Min_Furniture_Move_Height_Unit",
                          "Min_Plant_Move_Horizontal_Unit", "Min_Plant_Move_Height_Unit",
                          "Min_Light_Move_Horizontal_Unit", "Min_Light_Move_Height_Unit",
                          "3DtoMeter", "2DtoMeter", "ZoomRate", "Top", "Bottom", "Grid"})
        t.Key(k).Num(1);
    t.Key("ScrollPos").Key("    0,0").Key("ScrollSize").Key("    100,100").Key("MaxSize");
    t.Key("    100,100").Key("2DShowRule").Int(1).Key("FaceAngleXZ").Num(0).Key("FaceAngleYZ");
    t.Num(0).Key("Position").Vec(0, 50, 0).Key("AmbientLight").Int(0x808080);
    t.Key("2DShowState").Int(0).Key("3DShowState").Int(0).Key("END_SECTION");
    return t.Str();
}

std::string Walls() {
    Text t;
    t.Key("SECTION_WALL").Key("Count").Int(200);
    for (int w = 0; w < 200; ++w) {
        const double x = (w % 20) * 100.0, z = (w / 20) * 100.0;
        t.Key("BEGIN_WALL").Key("WallLine").Key("BEGIN_POLYLINE").Key("Count").Int(2);
        t.Key(("    " + std::to_string(x) + "," + std::to_string(z)).c_str());
        t.Key(("    " + std::to_string(x + 100) + "," + std::to_string(z)).c_str());
        t.Key("END_POLYLINE").Key("2Dto3D").Num(1).Key("Top").Num(100).Key("Bottom").Num(0);
        t.Key("ObjFramePos").Vec(x, 0, z).Key("DoorList").Key("BEGIN_DOORLIST").Key("Count").Int(1);
        t.Key("BEGIN_DOOR").Key("FrontFaceIndex").Int(0).Key("BackFaceIndex").Int(1);
        t.Key("FaceType").Int(2).Key("Top").Num(80).Key("Bottom").Num(0).Key("Left").Num(30);
        t.Key("Right").Num(60).Key("Depth").Num(10).Key("DoorSideName").Str("d");
        t.Key("IsShowFace").Int(1).Key("DoorFaceList").Key("BEGIN_DOORFACELIST").Key("Count").Int(1);
        t.Surface({{30, 80, 0}, {60, 80, 0}, {60, 80, 10}, {30, 80, 10}}, {0, 0, 1}, {0, -1, 0}, 0, 1);
        t.Key("END_DOORFACELIST").Key("END_DOOR").Key("END_DOORLIST");
        t.Key("WallFaceList").Key("BEGIN_WALLFACELIST").Key("Count").Int(2);
        for (int side = 0; side < 2; ++side) {
            const float zz = side ? 10.0f : 0.0f;
            t.Key("BEGIN_WALLFACE").Key("FaceType").Int(side + 1).Key("VectorList");
            t.Vectors({{0, 100, zz}, {100, 100, zz}, {100, 0, zz}, {0, 0, zz}});
            t.Key("IsRefine").Int(1).Key("RefineScale").Num(25).Key("DivideLine");
            t.Key("BEGIN_DOUBLEARRAY").Key("Count").Int(0).Key("END_DOUBLEARRAY");
            t.Key("FaceList").Key("BEGIN_FACELIST").Key("Count").Int(1);
            t.Surface({{0, 100, zz}, {100, 100, zz}, {100, 0, zz}, {60, 0, zz}, {60, 80, zz},
                       {30, 80, zz}, {30, 0, zz}, {0, 0, zz}},
                      {0, 1, 0}, {0, 0, side ? -1.0f : 1.0f}, 1, 1 + (w + side) % 20);
            t.Key("END_FACELIST").Key("END_WALLFACE");
        }
        t.Key("END_WALLFACELIST").Key("UpWallFaceList").Key("BEGIN_UPWALLFACELIST").Key("Count").Int(1);
        t.Surface({{0, 100, 0}, {0, 100, 10}, {100, 100, 10}, {100, 100, 0}}, {0, 0, 1}, {0, 1, 0}, 0, 2);
        t.Key("END_UPWALLFACELIST").Key("DownWallFaceList").Key("BEGIN_DOWNWALLFACELIST");
        t.Key("Count").Int(0).Key("END_DOWNWALLFACELIST").Key("Reflect").Int(0).Key("Shadow").Int(0);
        t.Key("ShadowLightIndex").Int(-1).Key("END_WALL");
    }
    return t.Key("END_SECTION").Str();
}

std::string Rest() {
    Text t;
    t.Key("SECTION_FLOOR").Key("Count").Int(1).Key("BEGIN_FLOOR").Key("FloorLine");
    t.Key("BEGIN_POLYLINE").Key("Count").Int(0).Key("END_POLYLINE").Key("2Dto3D").Num(1);
    t.Key("High").Num(0).Key("ObjFramePos").Vec(0, 0, 0).Key("IsRefine").Int(1);
    t.Key("RefineScale").Num(50).Key("FloorFace");
    t.Surface({{0, 0, 0}, {0, 0, 1000}, {2000, 0, 1000}, {2000, 0, 0}}, {0, 0, 1}, {0, 1, 0}, 1, 3);
    t.Key("PowerFlag").Num(1).Key("END_FLOOR").Key("END_SECTION");
    t.Key("SECTION_CEILING").Key("Count").Int(0).Key("END_SECTION");
    t.Key("SECTION_FURNITURE").Key("Count").Int(300);
    for (int f = 0; f < 300; ++f) {
        t.Key("BEGIN_FURNITURE").Key("FurnitureID").Int(f % 20).Key("FurnitureTypeID").Int(1);
        t.Key("VenderID").Int(1).Key("FurnitureName").Str("f");
        t.Key("FurnitureFile").Str("models\\m" + std::to_string(f % 20) + ".x");
        t.Key("SerialNo").Str("").Key("Position").Vec(f * 6.0, 0, 50).Key("AngleXZ").Num(f * 0.1);
        t.Key("AngleYZ").Num(0).Key("Reflect").Int(0).Key("Shadow").Int(0);
        t.Key("ShadowLightIndex").Int(-1).Key("END_FURNITURE");
    }
    t.Key("END_SECTION").Key("SECTION_LIGHT").Key("Count").Int(20);
    for (int l = 0; l < 20; ++l) {
        t.Key("BEGIN_LIGHT").Key("LightType").Int(2).Key("Color").Int(-1);
        t.Key("Position").Vec(l * 100.0, 90, 50).Key("AngleXZ").Num(0).Key("AngleYZ").Num(-1.5);
        t.Key("Umbra").Num(0.4).Key("Penumbra").Num(0.5).Key("Reflect").Int(0).Key("END_LIGHT");
    }
    t.Key("END_SECTION").Key("SECTION_PLANT").Key("Count").Int(50);
    for (int p = 0; p < 50; ++p) {
        t.Key("BEGIN_PLANT").Key("PlantID").Int(p % 5).Key("PlantTypeID").Int(1);
        t.Key("PlantName").Str("p").Key("PlantFile").Str("plants\\p" + std::to_string(p % 5) + ".ppm");
        t.Key("Position").Vec(p * 40.0, 0, 80).Key("FaceAngleXZ").Num(0).Key("Reflect").Int(0);
        t.Key("END_PLANT");
    }
    return t.Key("END_SECTION").Str();
}

// The design and its files, made once per run.
const std::string& LargeDesign() {
    static const std::string path = [] {
        const fs::path dir = fs::temp_directory_path() / "roamer-bench-design";
        fs::create_directories(dir / "models");
        fs::create_directories(dir / "tex");
        fs::create_directories(dir / "plants");
        for (int i = 0; i < 20; ++i) {
            std::ofstream(dir / "models" / ("m" + std::to_string(i) + ".x"), std::ios::binary) << kChair;
            std::ofstream(dir / "tex" / ("t" + std::to_string(i + 1) + ".ppm"), std::ios::binary) << Ppm(64, 64);
        }
        for (int i = 0; i < 5; ++i)
            std::ofstream(dir / "plants" / ("p" + std::to_string(i) + ".ppm"), std::ios::binary) << Ppm(64, 128);
        const fs::path design = dir / "large.dsg";
        std::ofstream(design, std::ios::binary) << Header() << Walls() << Rest();
        return design.string();
    }();
    return path;
}

class NullView : public app::DesignView {
public:
    void ApplyViewer(const app::ViewerState&) override {}
    void SetAmbientColor(rm::Color) override {}
    app::ViewerState GetViewer() const override { return {}; }
    void LoadBrowsePath(const std::string&) override {}
};

void BM_LoadDesignWhole(benchmark::State& state) {
    const std::string& path = LargeDesign();
    rm::RetainedMode d3drm;
    auto scene = d3drm.CreateScene();
    RecordingHost host;
    NullView view;
    int faces = 0;
    for (auto _ : state) {
        app::DesignSession session(d3drm, scene->CreateChild(), scene.get(), host, view, "");
        if (!session.LoadDesign(path)) state.SkipWithError("the design did not load");
        faces = session.Design().RenderFaceCount();
    }
    state.counters["renderFaces"] = faces;
    state.counters["messages"] = static_cast<double>(host.Messages().size());
}
BENCHMARK(BM_LoadDesignWhole)->Unit(benchmark::kMillisecond);

// Parsing alone: every line read and split as the readers do.
void BM_ParseText(benchmark::State& state) {
    const std::string& path = LargeDesign();
    for (auto _ : state) {
        dsg::CTaggedTextFile file;
        file.OpenRead(path);
        std::string token;
        int lines = 0;
        while (file.ReadFirstToken(token)) ++lines;
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_ParseText)->Unit(benchmark::kMillisecond);

// Model loading: 300 pieces from 20 model files.
void BM_LoadModels(benchmark::State& state) {
    const std::string folder = fs::path(LargeDesign()).parent_path().string();
    rm::RetainedMode d3drm;
    auto scene = d3drm.CreateScene();
    for (auto _ : state) {
        model::CFurnitureList list(d3drm, scene.get(), folder);
        for (int f = 0; f < 300; ++f) {
            model::CFurniture* piece = nullptr;
            list.Load({f, 1, 1, "f", "models\\m" + std::to_string(f % 20) + ".x", ""}, &piece);
        }
    }
}
BENCHMARK(BM_LoadModels)->Unit(benchmark::kMillisecond);

// Textures: the 20 wall and floor textures and the 5 plant pictures.
void BM_LoadTextures(benchmark::State& state) {
    const std::string folder = fs::path(LargeDesign()).parent_path().string() + "/";
    rm::RetainedMode d3drm;
    for (auto _ : state) {
        model::TextureCache cache(d3drm, folder);
        for (int i = 1; i <= 20; ++i) {
            std::shared_ptr<rm::Texture> texture;
            cache.Get({i, 1, 1, "t", "tex\\t" + std::to_string(i) + ".ppm"}, &texture);
        }
        for (int i = 0; i < 5; ++i) {
            std::shared_ptr<rm::Texture> texture;
            d3drm.LoadTexture(folder + "plants/p" + std::to_string(i) + ".ppm", &texture);
        }
    }
}
BENCHMARK(BM_LoadTextures)->Unit(benchmark::kMillisecond);

}  // namespace
