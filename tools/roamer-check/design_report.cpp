// roamer-check's report of a design: what the player built from it, object by object.
#include <sstream>

#include "app/design_session.h"
#include "platform/recording_host.h"
#include "platform/text/cp950.h"
#include "roamer-check/file_report.h"
#include "roamer-check/json_writer.h"

namespace roamer::tools {
namespace {

// The view a design opens with, kept instead of shown.
class ReportView : public app::DesignView {
public:
    void ApplyViewer(const app::ViewerState& viewer) override { m_viewer = viewer; }
    void SetAmbientColor(rm::Color) override {}
    app::ViewerState GetViewer() const override { return m_viewer; }
    void LoadBrowsePath(const std::string&) override {}

private:
    app::ViewerState m_viewer;
};

void Vector(JsonWriter& json, rm::Vector3 v) {
    json.BeginArray().Number(v.x).Number(v.y).Number(v.z).EndArray();
}

void Header(JsonWriter& json, const dsg::CDesignHeader& h) {
    json.Key("header").BeginObject();
    json.Key("Min_Furniture_Move_Horizontal_Unit").Number(h.MinFurnitureMoveHorizontalUnit);
    json.Key("Min_Furniture_Move_Height_Unit").Number(h.MinFurnitureMoveHeightUnit);
    json.Key("Min_Plant_Move_Horizontal_Unit").Number(h.MinPlantMoveHorizontalUnit);
    json.Key("Min_Plant_Move_Height_Unit").Number(h.MinPlantMoveHeightUnit);
    json.Key("Min_Light_Move_Horizontal_Unit").Number(h.MinLightMoveHorizontalUnit);
    json.Key("Min_Light_Move_Height_Unit").Number(h.MinLightMoveHeightUnit);
    json.Key("3DtoMeter").Number(h.ThreeDtoMeter).Key("2DtoMeter").Number(h.TwoDtoMeter);
    json.Key("ZoomRate").Number(h.ZoomRate).Key("Top").Number(h.Top);
    json.Key("Bottom").Number(h.Bottom).Key("Grid").Number(h.Grid);
    json.Key("ScrollPos").BeginArray().Integer(h.ScrollPos[0]).Integer(h.ScrollPos[1]).EndArray();
    json.Key("ScrollSize").BeginArray().Integer(h.ScrollSize[0]).Integer(h.ScrollSize[1]).EndArray();
    json.Key("MaxSize").BeginArray().Integer(h.MaxSize[0]).Integer(h.MaxSize[1]).EndArray();
    json.Key("2DShowRule").Integer(h.ShowRule2D);
    json.Key("FaceAngleXZ").Number(h.FaceAngleXZ).Key("FaceAngleYZ").Number(h.FaceAngleYZ);
    json.Key("Position");
    Vector(json, {h.Position.x, h.Position.y, h.Position.z});
    json.Key("AmbientLight").Integer(h.AmbientLight);
    json.Key("2DShowState").Integer(h.ShowState2D).Key("3DShowState").Integer(h.ShowState3D);
    json.EndObject();
}

void Walls(JsonWriter& json, const model::CRoomDesign& design) {
    json.Key("walls").BeginArray();
    for (const auto& wall : design.Walls()) {
        json.BeginObject().Key("line").BeginArray();
        for (const model::CPlanPoint& p : wall->GetWallLine().Points())
            json.BeginArray().Number(p.x).Number(p.y).EndArray();
        json.EndArray().Key("2Dto3D").Number(wall->Get2Dto3D());
        json.Key("top").Number(wall->GetTop()).Key("bottom").Number(wall->GetBottom());
        json.Key("objFramePos");
        Vector(json, wall->GetObjFramePos());
        json.Key("doors").BeginArray();
        for (const auto& door : wall->DoorList()) {
            const model::DoorBox& b = door->Box;
            json.BeginObject().Key("faceType").Integer(door->FaceType).Key("box").BeginArray();
            json.Number(b.XMin).Number(b.XMax).Number(b.YMin).Number(b.YMax).Number(b.ZMin).Number(b.ZMax);
            json.EndArray().EndObject();
        }
        json.EndArray().Key("faces").Integer(wall->GetMeshBuilder()->GetFaceCount()).EndObject();
    }
    json.EndArray();
}

void Levels(JsonWriter& json, const model::CRoomDesign& design) {
    json.Key("floors").BeginArray();
    for (const auto& floor : design.Floors()) {
        const auto& faces = floor->GetMeshBuilder()->Faces();
        json.BeginObject().Key("high").Number(floor->GetHigh());
        json.Key("faces").Integer(static_cast<std::int64_t>(faces.size()));
        json.Key("alpha").Number(floor->PowerFlag).EndObject();
    }
    json.EndArray().Key("ceilings").BeginArray();
    for (const auto& ceiling : design.Ceilings())
        json.BeginObject().Key("high").Number(ceiling->GetHigh())
            .Key("faces").Integer(ceiling->GetMeshBuilder()->GetFaceCount()).EndObject();
    json.EndArray();
}

void Furniture(JsonWriter& json, const model::CRoomDesign& design) {
    json.Key("furniture").BeginArray();
    for (const auto& piece : design.Furniture().Items()) {
        rm::Box box;
        piece->GetMesh()->GetBox(&box);
        json.BeginObject().Key("name").String(text::ToDisplayText(piece->GetKey().FurnitureName));
        json.Key("file").String(text::ToDisplayText(piece->GetKey().FurnitureFile));
        json.Key("position");
        Vector(json, piece->GetPosition());
        json.Key("angleXZ").Number(piece->GetAngleXZ()).Key("angleYZ").Number(piece->GetAngleYZ());
        json.Key("box").BeginArray().Number(box.min.x).Number(box.max.x).Number(box.min.y);
        json.Number(box.max.y).Number(box.min.z).Number(box.max.z).EndArray();
        json.Key("faces").Integer(piece->GetMesh()->GetFaceCount()).EndObject();
    }
    json.EndArray();
}

void LightsAndPlants(JsonWriter& json, const model::CRoomDesign& design) {
    json.Key("lights").BeginArray();
    const render::CLightList& lights = design.Lights();
    for (int i = 0; i < lights.Count(); ++i) {
        const render::CLight& light = *lights.GetAt(i);
        json.BeginObject().Key("type").Integer(light.GetLightType());
        json.Key("color").Integer(light.GetColor()).Key("position");
        Vector(json, light.GetPosition());
        json.Key("angleXZ").Number(light.GetAngleXZ()).Key("angleYZ").Number(light.GetAngleYZ());
        json.EndObject();
    }
    json.EndArray().Key("plants").BeginArray();
    for (const auto& plant : design.Plants().Items()) {
        json.BeginObject().Key("name").String(text::ToDisplayText(plant->GetKey().PlantName));
        json.Key("file").String(text::ToDisplayText(plant->GetKey().PlantFile));
        json.Key("position");
        Vector(json, plant->GetPosition());
        // Width, depth and height in scene units.
        json.Key("size").BeginArray().Number(plant->UserWidth).Number(plant->UserDepth);
        json.Number(plant->UserHeight).EndArray().EndObject();
    }
    json.EndArray();
}

}  // namespace

FileReport CheckDesignFile(const std::string& path, const CheckOptions& options) {
    rm::RetainedMode d3drm;
    auto scene = d3drm.CreateScene();
    rm::Frame* room = scene->CreateChild();
    RecordingHost host;
    host.SetDefaultAnswer(options.answerNo ? Host::Answer::kNo : Host::Answer::kYes);
    ReportView view;
    FileReport report;
    JsonWriter json;
    std::ostringstream text;
    {
        app::DesignSession session(d3drm, room, scene.get(), host, view, "");
        const bool loaded = session.LoadDesign(path);
        report.ok = loaded && host.Messages().empty();
        const model::CRoomDesign& design = session.Design();

        json.BeginObject().Key("file").String(text::ToDisplayText(path));
        json.Key("kind").String("design").Key("ok").Bool(report.ok);
        json.Key("loaded").Bool(loaded);
        std::ostringstream lines;
        WriteLines(json, lines, "messages", "message", host.Messages());
        WriteLines(json, lines, "questions", "question", host.Questions());
        WriteLines(json, lines, "notes", "note", {});
        json.Key("version");
        if (session.LoadedVersion() > 0.0)
            json.Number(session.LoadedVersion());
        else
            json.Null();
        if (loaded)
            Header(json, session.LoadedHeader());
        else
            json.Key("header").Null();
        Walls(json, design);
        Levels(json, design);
        Furniture(json, design);
        LightsAndPlants(json, design);
        json.Key("textures").Integer(design.Textures().LoadCount());
        json.Key("renderFaces").Integer(design.RenderFaceCount()).EndObject();

        text << text::ToDisplayText(path) << ": design";
        if (session.LoadedVersion() > 0.0) text << " version " << session.LoadedVersion();
        text << (loaded ? "" : " (not loaded)") << '\n' << lines.str();
        text << "  " << design.Walls().size() << " walls, " << design.Floors().size()
             << " floors, " << design.Ceilings().size() << " ceilings, "
             << design.Furniture().GetCount() << " furniture, " << design.Lights().Count()
             << " lights, " << design.Plants().GetCount() << " plants, "
             << design.RenderFaceCount() << " render faces\n";
    }
    report.json = json.Text();
    report.text = text.str();
    return report;
}

}  // namespace roamer::tools
