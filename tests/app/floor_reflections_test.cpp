// Floor reflections and shadows as a loaded design shows them: where twins stand and how their
// faces run, which objects get them, that they leave with the design, and which light casts
// each shadow, read and written back.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/design_session.h"
#include "app/floor_reflections.h"
#include "app/shadows.h"
#include "platform/recording_host.h"
#include "support/temp_dir.h"

namespace roamer::app {
namespace {

constexpr const char* kMissingTwin = "組態檔housing.ini不存在，請離開後確定再重開！";

std::string Designs() {
    const char* root = std::getenv("ROAMER_TEST_DATA");
    return std::string(root ? root : "tests/data") + "/designs/";
}

class StillView : public DesignView {
public:
    void ApplyViewer(const ViewerState& viewer) override { m_viewer = viewer; }
    void SetAmbientColor(rm::Color) override {}
    ViewerState GetViewer() const override { return m_viewer; }
    void LoadBrowsePath(const std::string&) override {}
    ViewerState m_viewer;
};

struct Session {
    rm::RetainedMode d3drm;
    std::unique_ptr<rm::Frame> scene = d3drm.CreateScene();
    RecordingHost host;
    StillView view;
    // The player hangs the design in the scene itself; so do these tests, where light copies go.
    DesignSession session{d3drm, scene.get(), scene.get(), host, view, "/work/"};
    model::CRoomDesign& design() { return session.Design(); }
    std::size_t frames() const { return scene->GetChildren().size(); }
};

// The fixture room: one reflecting, shadow-casting wall with a door, a half-transparent floor,
// a reflecting ceiling, two chairs (the second casting a shadow from light 1), a reflecting spot
// light and a point light, two plants.
class Room {
public:
    Room() : m_text(test::ReadWholeFile(Designs() + "room246.dsg")) {}

    // Sets the value under `key` in the n-th block that starts with `begin` (0-based).
    Room& Set(const std::string& begin, int n, const std::string& key, const std::string& value) {
        std::size_t at = 0;
        for (int i = 0; i <= n; ++i) {
            at = m_text.find(begin + "\r\n", at);
            EXPECT_NE(at, std::string::npos) << begin << " " << n;
            if (at == std::string::npos) return *this;
            at += begin.size();
        }
        at = m_text.find("\r\n" + key + "\r\n", at);
        EXPECT_NE(at, std::string::npos) << key;
        if (at == std::string::npos) return *this;
        const std::size_t line = at + key.size() + 4;
        const std::size_t end = m_text.find("\r\n", line);
        m_text.replace(line, end - line, "    " + value);
        return *this;
    }
    Room& Replace(const std::string& from, const std::string& to) {
        const auto at = m_text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) m_text.replace(at, from.size(), to);
        return *this;
    }
    // Nothing reflects and nothing casts a shadow.
    Room& Plain() {
        Set("BEGIN_WALL", 0, "Reflect", "0").Set("BEGIN_WALL", 0, "Shadow", "0");
        Set("BEGIN_CEILING", 0, "Reflect", "0").Set("BEGIN_LIGHT", 0, "Reflect", "0");
        return Set("BEGIN_FURNITURE", 1, "Shadow", "0");
    }
    std::string Write(const test::TempDir& dir, const std::string& name) const {
        namespace fs = std::filesystem;
        for (const char* sub : {"tex", "models", "plants"})
            if (!fs::exists(dir.Path() + "/" + sub))
                fs::copy(Designs() + sub, dir.Path() + "/" + sub, fs::copy_options::recursive);
        return dir.Write(name, m_text);
    }

private:
    std::string m_text;
};

// The value written under `key` in the n-th block that starts with `begin`.
std::string SavedValue(const std::string& text, const std::string& begin, int n,
                       const std::string& key) {
    std::size_t at = 0;
    for (int i = 0; i <= n && at != std::string::npos; ++i) {
        at = text.find(begin + "\r\n", at);
        if (at != std::string::npos) at += begin.size();
    }
    if (at == std::string::npos) return "<no block>";
    at = text.find("\r\n" + key + "\r\n", at);
    if (at == std::string::npos) return "<no key>";
    const std::size_t line = at + key.size() + 4;
    return text.substr(line + 4, text.find("\r\n", line) - line - 4);
}

TEST(FloorReflections, FurnitureTwinStandsUpsideDownBelowTheFloorFacingOutward) {
    test::TempDir dir;
    Room room;
    room.Plain()
        .Set("BEGIN_FURNITURE", 0, "Position", "20.000000,10.000000,40.000000")
        .Set("BEGIN_FURNITURE", 0, "AngleYZ", "0.30000000000")
        .Set("BEGIN_FURNITURE", 0, "Reflect", "1");
    Session s;
    ASSERT_TRUE(s.session.LoadDesign(room.Write(dir, "twin.dsg")));
    EXPECT_TRUE(s.host.Messages().empty());
    const model::CFurniture& chair = *s.design().Furniture().Items()[0];
    const model::CFurniture* twin = chair.GetTwin();
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(s.design().Furniture().Items()[1]->GetTwin(), nullptr);
    EXPECT_EQ(twin->GetPosition(), (rm::Vector3{20.0f, -10.0f, 40.0f}));
    EXPECT_DOUBLE_EQ(twin->GetAngleXZ(), chair.GetAngleXZ());
    EXPECT_DOUBLE_EQ(twin->GetAngleYZ(), -0.3);

    // Every vertex of the piece, seen in the scene, has its mirror image among the twin's, and
    // every face's front looks the mirrored way: the texture stays on the outside.
    const auto& faces = chair.GetMesh()->Faces();
    const auto& mirrored = twin->GetMesh()->Faces();
    ASSERT_EQ(mirrored.size(), faces.size());
    const rm::Transform world = chair.GetModelFrame()->WorldTransform();
    const rm::Transform twinWorld = twin->GetModelFrame()->WorldTransform();
    for (std::size_t f = 0; f < faces.size(); ++f) {
        const auto& v = faces[f]->Vertices();
        const auto& m = mirrored[f]->Vertices();
        ASSERT_EQ(m.size(), v.size());
        EXPECT_EQ(mirrored[f]->GetTexture(), faces[f]->GetTexture());
        EXPECT_EQ(mirrored[f]->GetColor(), faces[f]->GetColor());
        const rm::Vector3 n = faces[f]->Normal();
        EXPECT_NEAR(mirrored[f]->Normal().y, -n.y, 1e-5f);
        EXPECT_NEAR(mirrored[f]->Normal().x, n.x, 1e-5f);
        for (std::size_t k = 0; k < v.size(); ++k) {
            const auto& source = v[v.size() - 1 - k];
            EXPECT_EQ(m[k].u, source.u);
            EXPECT_EQ(m[k].v, source.v);
            const rm::Vector3 a = world.ApplyToPoint(source.position);
            const rm::Vector3 b = twinWorld.ApplyToPoint(m[k].position);
            EXPECT_NEAR(b.x, a.x, 1e-3f);
            EXPECT_NEAR(b.y, -a.y, 1e-3f);
            EXPECT_NEAR(b.z, a.z, 1e-3f);
        }
    }
}

TEST(FloorReflections, OnlyObjectsThatReflectGetTwinsAndAllLeaveWithTheDesign) {
    test::TempDir dir;
    Session plain;
    ASSERT_TRUE(plain.session.LoadDesign(Room().Plain().Write(dir, "plain.dsg")));
    // One frame for each wall, floor, ceiling, piece, plant and light; no mirrored meshes.
    EXPECT_EQ(plain.frames(), 1u + 1u + 1u + 2u + 2u + 2u);
    EXPECT_EQ(plain.design().Walls()[0]->GetTwin(), nullptr);
    EXPECT_EQ(plain.design().Ceilings()[0]->GetTwin(), nullptr);
    EXPECT_EQ(plain.design().GetLightTwin(plain.design().Lights().GetAt(0)), nullptr);

    Room mirrored;
    mirrored.Set("BEGIN_PLANT", 1, "Reflect", "1");
    Session s;
    ASSERT_TRUE(s.session.LoadDesign(mirrored.Write(dir, "mirrored.dsg")));
    EXPECT_TRUE(s.host.Messages().empty());
    auto& d = s.design();
    ASSERT_NE(d.Walls()[0]->GetTwin(), nullptr);
    ASSERT_NE(d.Ceilings()[0]->GetTwin(), nullptr);
    EXPECT_EQ(d.Plants().Items()[0]->GetTwin(), nullptr);
    ASSERT_NE(d.Plants().Items()[1]->GetTwin(), nullptr);
    EXPECT_EQ(d.Plants().Items()[1]->GetTwin()->GetPosition(), (rm::Vector3{170.0f, 0.0f, 150.0f}));
    // The ceiling hangs at 100: its reflection at -100, facing the other way.
    rm::Vector3 p;
    d.Ceilings()[0]->GetTwin()->GetFrame()->GetPosition(s.scene.get(), &p);
    EXPECT_EQ(p, (rm::Vector3{0.0f, -100.0f, 0.0f}));
    const render::CLight* spot = d.Lights().GetAt(0);
    const render::CLight* reflected = d.GetLightTwin(spot);
    ASSERT_NE(reflected, nullptr);
    EXPECT_EQ(reflected->GetPosition(), (rm::Vector3{50.0f, -90.0f, 50.0f}));
    EXPECT_DOUBLE_EQ(reflected->GetAngleYZ(), -spot->GetAngleYZ());
    EXPECT_EQ(reflected->GetUmbra(), spot->GetUmbra());
    EXPECT_EQ(d.GetLightTwin(d.Lights().GetAt(1)), nullptr);
    EXPECT_GT(s.frames(), plain.frames());

    // Taking the reflections away leaves the scene as the plain room has it, every mark cleared.
    RemoveReflections(d);
    EXPECT_EQ(s.frames(), plain.frames());
    EXPECT_EQ(d.Plants().Items()[1]->GetTwin(), nullptr);
    EXPECT_EQ(d.Plants().Items()[1]->Reflect, 0);
    EXPECT_EQ(d.Walls()[0]->GetTwin(), nullptr);
    EXPECT_EQ(d.Walls()[0]->Reflect, 0);
    EXPECT_EQ(d.Ceilings()[0]->GetTwin(), nullptr);
    EXPECT_EQ(d.Ceilings()[0]->Reflect, 0);
    EXPECT_EQ(d.GetLightTwin(spot), nullptr);
    EXPECT_EQ(d.GetLightReflect(spot), 0);
    for (const auto& piece : d.Furniture().Items()) {
        EXPECT_EQ(piece->GetTwin(), nullptr);
        EXPECT_EQ(piece->Reflect, 0);
    }

    // The next design is read into a scene that holds nothing of this one.
    s.session.ResetDesign();
    EXPECT_EQ(s.frames(), 0u);
    ASSERT_TRUE(s.session.LoadDesign(dir.File("plain.dsg")));
    EXPECT_EQ(s.frames(), plain.frames());
}

TEST(FloorReflections, FurnitureInTheDoorOfAReflectingWallIsReflectedAndSavedSo) {
    test::TempDir dir;
    Session probe;
    ASSERT_TRUE(probe.session.LoadDesign(Room().Write(dir, "probe.dsg")));
    const model::CWall& wall = *probe.design().Walls()[0];
    const rm::Vector3 c = wall.DoorReferencePoint(*wall.DoorList()[0], model::CWall::DoorPoint::kCentre);
    // Chair 1 stands 8 units from the door's centre, chair 0 far from it.
    const std::string at = std::to_string(c.x + 8.0f) + "," + std::to_string(c.y) + "," +
                           std::to_string(c.z);
    Room room;
    room.Set("BEGIN_FURNITURE", 1, "Position", at).Set("BEGIN_FURNITURE", 1, "Shadow", "0");
    Session s;
    ASSERT_TRUE(s.session.LoadDesign(room.Write(dir, "door.dsg")));
    const auto& pieces = s.design().Furniture().Items();
    EXPECT_EQ(pieces[0]->GetTwin(), nullptr);
    ASSERT_NE(pieces[1]->GetTwin(), nullptr);
    EXPECT_EQ(pieces[1]->Reflect, 1);
    // The wall casts its shadow from light 2, and so does the chair in its door.
    EXPECT_EQ(pieces[1]->Shadow, 1);
    EXPECT_EQ(pieces[1]->ShadowCast.GetLight(), s.design().Lights().GetAt(1));
    ASSERT_TRUE(s.session.SaveDesign(dir.File("saved.dsg")));
    const std::string saved = test::ReadWholeFile(dir.File("saved.dsg"));
    EXPECT_EQ(SavedValue(saved, "BEGIN_FURNITURE", 0, "Reflect"), "0");
    EXPECT_EQ(SavedValue(saved, "BEGIN_FURNITURE", 1, "Reflect"), "1");
    EXPECT_EQ(SavedValue(saved, "BEGIN_FURNITURE", 1, "Shadow"), "1");
    EXPECT_EQ(SavedValue(saved, "BEGIN_FURNITURE", 1, "ShadowLightIndex"), "2");

    // Taking the shadows away clears every mark and every cast.
    RemoveShadows(s.design());
    for (const auto& piece : pieces) {
        EXPECT_EQ(piece->Shadow, 0);
        EXPECT_FALSE(piece->ShadowCast.IsShown());
    }
    EXPECT_EQ(s.design().Walls()[0]->Shadow, 0);
    EXPECT_FALSE(s.design().Walls()[0]->ShadowCast.IsShown());
}

// Both chairs stand near the door's centre, away from its ends; the first reflects and casts a shadow of its own, so each pass
// stops there and the second chair is left as the file has it.
TEST(FloorReflections, ADoorPassStopsAtAPieceThatHasItsOwn) {
    test::TempDir dir;
    Session probe;
    ASSERT_TRUE(probe.session.LoadDesign(Room().Write(dir, "probe.dsg")));
    const model::CWall& wall = *probe.design().Walls()[0];
    const rm::Vector3 c = wall.DoorReferencePoint(*wall.DoorList()[0], model::CWall::DoorPoint::kCentre);
    const auto at = [&](float dx) {
        return std::to_string(c.x + dx) + "," + std::to_string(c.y) + "," + std::to_string(c.z);
    };
    Room room;
    room.Set("BEGIN_FURNITURE", 0, "Position", at(2.0f)).Set("BEGIN_FURNITURE", 0, "Reflect", "1");
    room.Set("BEGIN_FURNITURE", 0, "Shadow", "1").Set("BEGIN_FURNITURE", 0, "ShadowLightIndex", "1");
    room.Set("BEGIN_FURNITURE", 1, "Position", at(-4.0f)).Set("BEGIN_FURNITURE", 1, "Shadow", "0");
    Session s;
    ASSERT_TRUE(s.session.LoadDesign(room.Write(dir, "door.dsg")));
    const auto& pieces = s.design().Furniture().Items();
    EXPECT_NE(pieces[0]->GetTwin(), nullptr);
    EXPECT_TRUE(pieces[0]->ShadowCast.IsShown());
    EXPECT_EQ(pieces[0]->ShadowCast.GetLight(), s.design().Lights().GetAt(0));
    EXPECT_EQ(pieces[1]->GetTwin(), nullptr);
    EXPECT_EQ(pieces[1]->Reflect, 0);
    EXPECT_FALSE(pieces[1]->ShadowCast.IsShown());
    EXPECT_EQ(pieces[1]->Shadow, 0);
}

TEST(FloorReflections, ALightThatGivesNoLightHasNoTwinAndIsReported) {
    test::TempDir dir;
    Room room;
    room.Set("BEGIN_LIGHT", 0, "LightType", "9");
    Session s;
    ASSERT_TRUE(s.session.LoadDesign(room.Write(dir, "dark.dsg")));
    EXPECT_EQ(s.host.Messages(), std::vector<std::string>{kMissingTwin});
    EXPECT_EQ(s.design().GetLightTwin(s.design().Lights().GetAt(0)), nullptr);
    // Loading went on: the wall behind the light has its twin.
    EXPECT_NE(s.design().Walls()[0]->GetTwin(), nullptr);
}

TEST(FloorReflections, AnEditedPieceTakesItsTwinAlong) {
    test::TempDir dir;
    Room room;
    room.Plain().Set("BEGIN_FURNITURE", 0, "Reflect", "1");
    Session s;
    ASSERT_TRUE(s.session.LoadDesign(room.Write(dir, "edit.dsg")));
    model::CFurniture& chair = *s.design().Furniture().Items()[0];
    chair.SetPosition({70.0f, 12.0f, 30.0f});
    chair.SetAngleXZ(0.75);
    FollowTwin(chair);
    EXPECT_EQ(chair.GetTwin()->GetPosition(), (rm::Vector3{70.0f, -12.0f, 30.0f}));
    EXPECT_DOUBLE_EQ(chair.GetTwin()->GetAngleXZ(), 0.75);
}

// Three lights: the second one is a point light at (10, 80, 10).
Room ThreeLights() {
    Room room;
    room.Plain().Replace("SECTION_LIGHT\r\nCount\r\n    2", "SECTION_LIGHT\r\nCount\r\n    3");
    room.Replace("END_LIGHT\r\nEND_SECTION",
                 "END_LIGHT\r\nBEGIN_LIGHT\r\nLightType\r\n    1\r\nColor\r\n    -1\r\nPosition\r\n"
                 "    150.000000,80.000000,150.000000\r\nReflect\r\n    0\r\nEND_LIGHT\r\nEND_SECTION");
    return room;
}

TEST(Shadows, CastFromTheLightTheIndexNamesOntoThePlaneAboveTheFloor) {
    test::TempDir dir;
    Room room = ThreeLights();
    room.Set("BEGIN_FURNITURE", 0, "Shadow", "1").Set("BEGIN_FURNITURE", 0, "ShadowLightIndex", "2");
    Session s;
    ASSERT_TRUE(s.session.LoadDesign(room.Write(dir, "shadow.dsg")));
    ASSERT_EQ(s.design().Lights().Count(), 3);
    const model::CFurniture& chair = *s.design().Furniture().Items()[0];
    ASSERT_TRUE(chair.ShadowCast.IsShown());
    EXPECT_EQ(chair.ShadowCast.GetLight(), s.design().Lights().GetAt(1));
    const auto& shadow = chair.ShadowCast.GetVisual();
    EXPECT_EQ(shadow->GetLight(), s.design().Lights().GetAt(1)->GetRenderLight());
    EXPECT_EQ(shadow->GetMesh(), chair.GetMesh());
    EXPECT_EQ(shadow->PlanePoint(), (rm::Vector3{0.0f, 1.0f, 0.0f}));
    EXPECT_EQ(shadow->PlaneNormal(), (rm::Vector3{0.0f, 1.0f, 0.0f}));
    const auto& shown = chair.GetModelFrame()->GetVisuals();
    EXPECT_NE(std::find(shown.begin(), shown.end(), shadow), shown.end());

    RemoveShadows(s.design());
    EXPECT_FALSE(chair.ShadowCast.IsShown());
    EXPECT_EQ(chair.GetModelFrame()->GetVisuals().size(), 1u);
}

TEST(Shadows, IndexLookupsBothWays) {
    rm::RetainedMode d3drm;
    auto scene = d3drm.CreateScene();
    render::CLightList lights(d3drm, scene.get());
    for (int i = 0; i < 3; ++i) lights.AddLight(scene.get(), 1, rm::kWhite);
    EXPECT_EQ(LightAtIndex(lights, 1), lights.GetAt(0));
    EXPECT_EQ(LightAtIndex(lights, 3), lights.GetAt(2));
    for (int bad : {0, -1, 4}) EXPECT_EQ(LightAtIndex(lights, bad), nullptr) << bad;
    EXPECT_EQ(IndexOfLight(lights, lights.GetAt(1)), 2);
    EXPECT_EQ(IndexOfLight(lights, nullptr), 0);
}

TEST(Shadows, SavingWritesBackTheIndicesThatWereRead) {
    test::TempDir dir;
    Room room = ThreeLights();
    // Chair 0 names a light that is not there: it casts nothing and keeps its index.
    room.Set("BEGIN_FURNITURE", 0, "Shadow", "1").Set("BEGIN_FURNITURE", 0, "ShadowLightIndex", "7");
    room.Set("BEGIN_FURNITURE", 1, "Shadow", "1").Set("BEGIN_FURNITURE", 1, "ShadowLightIndex", "3");
    room.Set("BEGIN_WALL", 0, "Shadow", "1").Set("BEGIN_WALL", 0, "ShadowLightIndex", "2");
    Session s;
    ASSERT_TRUE(s.session.LoadDesign(room.Write(dir, "indices.dsg")));
    EXPECT_TRUE(s.host.Messages().empty());
    EXPECT_FALSE(s.design().Furniture().Items()[0]->ShadowCast.IsShown());
    EXPECT_TRUE(s.design().Furniture().Items()[1]->ShadowCast.IsShown());
    EXPECT_TRUE(s.design().Walls()[0]->ShadowCast.IsShown());
    ASSERT_TRUE(s.session.SaveDesign(dir.File("saved.dsg")));
    const std::string saved = test::ReadWholeFile(dir.File("saved.dsg"));
    EXPECT_EQ(SavedValue(saved, "BEGIN_FURNITURE", 0, "ShadowLightIndex"), "7");
    EXPECT_EQ(SavedValue(saved, "BEGIN_FURNITURE", 1, "ShadowLightIndex"), "3");
    EXPECT_EQ(SavedValue(saved, "BEGIN_WALL", 0, "ShadowLightIndex"), "2");
    EXPECT_EQ(SavedValue(saved, "BEGIN_FURNITURE", 0, "Shadow"), "1");
}

}  // namespace
}  // namespace roamer::app
