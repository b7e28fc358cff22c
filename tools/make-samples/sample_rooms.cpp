// The sample rooms: a living room with a polished floor, a bedroom, and a two-room apartment
// joined by a door opening. Units are centimetres; eye height is about 160.
#include "make-samples/sample_rooms.h"

#include <filesystem>
#include <iostream>
#include <numbers>

#include "dsg/design_file.h"
#include "make-samples/pictures.h"
#include "make-samples/room_builder.h"
#include "make-samples/xfile_models.h"

namespace roamer::samples {
namespace {

constexpr float kHeight = 260.0f;
constexpr float kWall = 10.0f;
constexpr double kPi = std::numbers::pi;

const Finish kOak{1, "橡木地板", "tex\\oak_floor.png", 0xFFFFFFFF, 120.0f};
const Finish kTiles{2, "米色磁磚", "tex\\tiles.png", 0xFFFFFFFF, 120.0f};
const Finish kCarpet{3, "藍灰地毯", "tex\\carpet.png", 0xFFFFFFFF, 80.0f};
const Finish kPaper{4, "條紋壁紙", "tex\\wallpaper.png", 0xFFFFFFFF, 60.0f};
const Finish kSage{5, "淺綠油漆", "tex\\sage.png", 0xFFFFFFFF, 100.0f};
const Finish kWarm{6, "暖白油漆", "tex\\warm_white.png", 0xFFFFFFFF, 100.0f};
const Finish kCeiling{7, "天花板", "tex\\ceiling.png", 0xFFFFFFFF, 60.0f};
const Finish kOutside{-1, "", "", 0xFFB8B2A8, 100.0f};

// Four walls around the inside x0..x1, z0..z1; `inside` faces the room. Openings are given per
// wall (south, north, west, east) in world coordinates along the wall.
struct Openings {
    std::vector<RoomBuilder::Opening> south, north, west, east;
};
std::vector<model::CWall*> Walls(RoomBuilder& b, float x0, float z0, float x1, float z1,
                                 const Finish& inside, const Openings& o = {}) {
    return {&b.WallAlongX(z0 - kWall, x0 - kWall, x1 + kWall, kWall, kHeight, kOutside, inside, o.south),
            &b.WallAlongX(z1, x0 - kWall, x1 + kWall, kWall, kHeight, inside, kOutside, o.north),
            &b.WallAlongZ(x0 - kWall, z0, z1, kWall, kHeight, kOutside, inside, o.west),
            &b.WallAlongZ(x1, z0, z1, kWall, kHeight, inside, kOutside, o.east)};
}

// Where a design opens: the eye, its heading and its tilt.
struct View {
    rm::Vector3 position;
    double heading = 0.0;
    double pitch = 0.0;
};

bool Save(RoomBuilder& b, const std::string& path, const View& view,
          std::uint32_t ambient) {
    for (const std::string& message : b.Host().Messages())
        std::cerr << "make-samples: " << message << '\n';
    if (!b.Host().Messages().empty()) return false;
    dsg::CDesignFile file(b.Host());
    const dsg::CDesignHeader header = dsg::HeaderForSaving(
        view.heading, view.pitch, {view.position.x, view.position.y, view.position.z}, ambient, 3, 5);
    model::CRoomDesign& d = b.Design();
    const bool written = file.OpenWrite(path) && file.WriteHeader(header) && file.WriteWalls(d) &&
                         file.WriteFloors(d) && file.WriteCeilings(d) && file.WriteFurniture(d) &&
                         file.WriteLights(d) && file.WritePlants(d) && file.Close();
    if (!written) std::cerr << "make-samples: cannot write " << path << '\n';
    return written;
}

void CastsShadow(model::CFurniture* piece, int light) {
    if (piece == nullptr) return;
    piece->Shadow = 1;
    piece->ShadowLightIndex = light;
}

bool LivingRoom(const std::string& folder) {
    RoomBuilder b(folder);
    Openings openings;
    openings.west = {{-60.0f, 40.0f, 210.0f}};  // to the hall
    for (model::CWall* wall : Walls(b, -300, -300, 300, 300, kSage, openings)) wall->Reflect = 1;
    b.Floor(-300, -300, 300, 300, kOak, 0.72);  // polished: the room shows in it
    b.Ceiling(-300, -300, 300, 300, kHeight, kCeiling);
    b.Light(1, 0xFFB8B0A0, {0, 245, 0});
    b.Light(2, 0xFF8C7A60, {0, 250, 90}, 0.0, -kPi / 2);  // over the coffee table
    b.Light(1, 0xFF403C38, {200, 170, 240});               // the floor lamp's glow
    model::CFurniture* pieces[] = {
        b.Furniture(1, 10, "三人沙發", "models\\sofa.x", {0, 0, 220}, 0.0),
        b.Furniture(2, 11, "咖啡桌", "models\\coffee_table.x", {0, 0, 90}, 0.0),
        b.Furniture(3, 12, "電視櫃", "models\\tv_cabinet.x", {0, 0, -265}, kPi),
        b.Furniture(4, 13, "落地燈", "models\\floor_lamp.x", {240, 0, 250}, 0.0),
        b.Furniture(5, 14, "書櫃", "models\\bookshelf.x", {275, 0, 0}, 3 * kPi / 2),
        b.Furniture(6, 10, "單人沙發", "models\\armchair.x", {-190, 0, 90}, kPi / 2),
    };
    for (model::CFurniture* piece : pieces) {
        if (piece == nullptr) return false;
        piece->Reflect = 1;
    }
    CastsShadow(pieces[0], 1);
    CastsShadow(pieces[1], 2);
    CastsShadow(pieces[5], 1);
    for (model::CPlant* plant : {b.Plant(1, "龜背芋", "plants\\monstera.png", {-260, 0, 260}, 0.3),
                                 b.Plant(2, "龜背芋", "plants\\monstera.png", {250, 0, -250}, 1.2)})
        if (plant != nullptr) plant->Reflect = 1;
    return Save(b, folder + "/客廳.dsg", {{0, 160, -250}, 0.0, -0.1}, 0x505050);
}

bool Bedroom(const std::string& folder) {
    RoomBuilder b(folder);
    Walls(b, -250, -250, 250, 250, kPaper);
    b.Floor(-250, -250, 250, 250, kCarpet, 1.0);
    b.Ceiling(-250, -250, 250, 250, kHeight, kCeiling);
    b.Light(1, 0xFFC0B090, {0, 245, -40});
    b.Light(2, 0xFF907850, {0, 250, 150}, 0.0, -kPi / 2);  // over the bed
    model::CFurniture* bed = b.Furniture(1, 20, "雙人床", "models\\bed.x", {0, 0, 140}, 0.0);
    b.Furniture(2, 21, "床頭櫃", "models\\nightstand.x", {-118, 0, 225}, 0.0);
    b.Furniture(3, 21, "床頭櫃", "models\\nightstand.x", {118, 0, 225}, 0.0);
    model::CFurniture* cupboard =
        b.Furniture(4, 22, "衣櫃", "models\\cupboard.x", {-218, 0, 20}, kPi / 2);
    b.Furniture(5, 13, "落地燈", "models\\floor_lamp.x", {200, 0, -200}, 0.0);
    b.Furniture(6, 23, "書桌椅", "models\\chair_red.x", {160, 0, 40}, 3 * kPi / 2);
    CastsShadow(bed, 1);
    CastsShadow(cupboard, 1);
    b.Plant(1, "盆栽", "plants\\fern.png", {-210, 0, 210}, 0.5);
    return Save(b, folder + "/臥室.dsg", {{-150, 160, -220}, 5.9, -0.2}, 0x4A4640);
}

bool Apartment(const std::string& folder) {
    RoomBuilder b(folder);
    // Dining room x -450..-5, living area x 5..400, a partition with an opening between them.
    b.WallAlongX(-250 - kWall, -450 - kWall, 400 + kWall, kWall, kHeight, kOutside, kWarm);
    b.WallAlongX(250, -450 - kWall, 400 + kWall, kWall, kHeight, kWarm, kOutside);
    b.WallAlongZ(-450 - kWall, -250, 250, kWall, kHeight, kOutside, kWarm);
    b.WallAlongZ(400, -250, 250, kWall, kHeight, kSage, kOutside);
    b.WallAlongZ(-5, -250, 250, kWall, kHeight, kWarm, kSage, {{-55.0f, 55.0f, 215.0f}});
    b.Floor(-450, -250, -5, 250, kTiles, 1.0);
    b.Floor(5, -250, 400, 250, kOak, 1.0);
    b.Ceiling(-450, -250, 400, 250, kHeight, kCeiling);
    b.Light(1, 0xFFB0A890, {-230, 245, 0});
    b.Light(1, 0xFFB0A890, {200, 245, 0});
    b.Light(2, 0xFF806850, {-230, 250, 0}, 0.0, -kPi / 2);  // over the dining table
    model::CFurniture* table =
        b.Furniture(1, 30, "餐桌", "models\\dining_table.x", {-230, 0, 0}, kPi / 2);
    const struct { float x, z; double a; } seats[] = {
        {-290, -60, 0.0}, {-170, -60, 0.0}, {-290, 60, kPi}, {-170, 60, kPi}};
    for (int i = 0; i < 4; ++i)
        CastsShadow(b.Furniture(2 + i, 31, "餐椅", "models\\chair.x", {seats[i].x, 0, seats[i].z},
                                seats[i].a), 3);
    CastsShadow(table, 3);
    b.Furniture(6, 22, "碗櫃", "models\\cupboard.x", {-420, 0, 150}, kPi / 2);
    CastsShadow(b.Furniture(7, 10, "三人沙發", "models\\sofa.x", {220, 0, 210}, 0.0), 2);
    b.Furniture(8, 11, "咖啡桌", "models\\coffee_table.x", {220, 0, 90}, 0.0);
    b.Furniture(9, 14, "書櫃", "models\\bookshelf.x", {375, 0, -120}, 3 * kPi / 2);
    b.Furniture(10, 13, "落地燈", "models\\floor_lamp.x", {360, 0, 220}, 0.0);
    b.Plant(1, "盆栽", "plants\\fern.png", {-420, 0, -220}, 0.0);
    b.Plant(2, "龜背芋", "plants\\monstera.png", {40, 0, 220}, 0.8);
    return Save(b, folder + "/兩房公寓.dsg", {{-430, 165, -215}, 5.15, -0.2}, 0x505050);
}

}  // namespace

bool WriteSampleAssets(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    for (const char* sub : {"tex", "plants", "models"}) fs::create_directories(folder + "/" + sub, error);
    const std::pair<std::string, Picture> pictures[] = {
        {"tex/oak_floor.png", OakPlanks()},
        {"tex/tiles.png", FloorTiles()},
        {"tex/carpet.png", Carpet()},
        {"tex/wallpaper.png", Wallpaper()},
        {"tex/sage.png", Plaster(0xB9C8AE)},
        {"tex/warm_white.png", Plaster(0xEDE4D3)},
        {"tex/ceiling.png", CeilingBoard()},
        {"models/walnut.png", OakPlanks()},
        {"models/oak.png", Plaster(0xC89A62)},
        {"models/linen.png", Fabric(0xA8A296)},
        {"models/quilt.png", Fabric(0x8A5A6E)},
        {"plants/monstera.png", PottedPlant(1)},
        {"plants/fern.png", PottedPlant(2)},
    };
    for (const auto& [name, picture] : pictures)
        if (!SavePng(picture, folder + "/" + name)) {
            std::cerr << "make-samples: cannot write " << name << '\n';
            return false;
        }
    const std::pair<std::string, BoxModel> models[] = {
        {"sofa.x", Sofa(0xFFFFFF, "linen.png")},
        {"armchair.x", Sofa(0xFFFFFF, "linen.png")},
        {"coffee_table.x", CoffeeTable()},
        {"dining_table.x", DiningTable()},
        {"chair.x", Chair(0x7A3B2E)},
        {"chair_red.x", Chair(0xA03030)},
        {"bed.x", Bed("quilt.png")},
        {"cupboard.x", Cupboard()},
        {"floor_lamp.x", FloorLamp()},
        {"bookshelf.x", Bookshelf()},
        {"nightstand.x", Nightstand()},
        {"tv_cabinet.x", TvCabinet()},
    };
    for (const auto& [name, model] : models)
        if (!model.Write(folder + "/models/" + name)) {
            std::cerr << "make-samples: cannot write " << name << '\n';
            return false;
        }
    return true;
}

bool WriteSampleDesigns(const std::string& folder) {
    return LivingRoom(folder) && Bedroom(folder) && Apartment(folder);
}

}  // namespace roamer::samples
