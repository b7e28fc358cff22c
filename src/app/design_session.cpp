#include "app/design_session.h"

#include "dsg/design_file.h"
#include "platform/fs/windows_path.h"
#include "platform/text/cp950.h"

namespace roamer::app {
namespace {

constexpr const char* kCannotOpen = "無法開啟檔案-";
constexpr const char* kCannotCreate = "無法開啟檔案!";
// Saving writes beside the target and renames at the end; this is what a failed rename shows.
constexpr const char* kCannotReplace = "儲存檔案失敗!";

}  // namespace

std::string RecordPathOf(const std::string& designPath) {
    if (designPath.size() < 3) return "rcd";
    return designPath.substr(0, designPath.size() - 3) + "rcd";
}

DesignSession::DesignSession(rm::RetainedMode& d3drm, rm::Frame* roomFrame,
                             rm::Frame* sceneFrame, Host& host, DesignView& view,
                             std::string workFolder)
    : m_d3drm(d3drm),
      m_roomFrame(roomFrame),
      m_sceneFrame(sceneFrame),
      m_host(host),
      m_view(view),
      m_workFolder(std::move(workFolder)) {
    ResetDesign();
}

void DesignSession::ResetDesign() {
    // The old design leaves the scene before the new containers are made.
    m_design.reset();
    m_design = std::make_unique<model::CRoomDesign>(m_d3drm, m_roomFrame, m_sceneFrame,
                                                    m_designFolder, m_workFolder);
}

bool DesignSession::LoadDesign(const std::string& path) {
    if (path == m_loadedPath) return true;
    m_designFolder = fs::LocalFolderOf(path);
    ResetDesign();
    m_host.BeginWaitCursor();
    m_loadedPath = path;

    dsg::CDesignFile file(m_host, m_progress);
    if (!file.OpenRead(path)) {
        m_host.ShowMessage(kCannotOpen + text::ToDisplayText(path) + "!");
        m_host.EndWaitCursor();
        m_loadedPath.clear();
        return false;
    }
    model::CRoomDesign& design = *m_design;
    dsg::CDesignHeader header;
    // Each step reads one section; on a failure, the lists this load filled up to and
    // including the failing one are replaced by empty ones.
    struct Step {
        bool (dsg::CDesignFile::*read)(model::CRoomDesign&);
        const char* message;
        void (model::CRoomDesign::*reset)();
    };
    const Step steps[] = {
        {&dsg::CDesignFile::ReadWalls, "讀取牆資料失敗!", &model::CRoomDesign::ResetWalls},
        {&dsg::CDesignFile::ReadFloors, "讀取地板資料失敗!", &model::CRoomDesign::ResetFloors},
        {&dsg::CDesignFile::ReadCeilings, "讀取天花板資料失敗!", &model::CRoomDesign::ResetCeilings},
        {&dsg::CDesignFile::ReadFurniture, "讀取傢俱資料失敗!", &model::CRoomDesign::ResetFurniture},
        {&dsg::CDesignFile::ReadLights, "讀取光源資料失敗!", &model::CRoomDesign::ResetLights},
        {&dsg::CDesignFile::ReadPlants, "讀取植物資料失敗!", &model::CRoomDesign::ResetPlants},
    };
    const auto fail = [&](const char* message, std::size_t filled) {
        m_host.ShowMessage(message);
        m_host.EndWaitCursor();
        for (std::size_t i = 0; i < filled; ++i) (design.*steps[i].reset)();
        file.Close();
        m_loadedPath.clear();
        return false;
    };
    const bool headerRead = file.ReadHeader(header);
    m_loadedVersion = file.GetFileVersion();
    if (!headerRead) return fail("讀取檔案表頭失敗!", 0);
    m_header = header;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        if (!(file.*steps[i].read)(design)) return fail(steps[i].message, i + 1);
        // Once every floor is there, each takes its transparency.
        if (steps[i].read == &dsg::CDesignFile::ReadFloors)
            for (const auto& floor : design.Floors()) floor->ApplyPowerFlag();
    }

    FitDoorModels();
    m_ambientColour = header.AmbientLight;
    m_showState2D = header.ShowState2D;
    m_showState3D = header.ShowState3D;
    m_view.ApplyViewer({{header.Position.x, header.Position.y, header.Position.z},
                        header.FaceAngleXZ,
                        header.FaceAngleYZ});
    m_view.SetAmbientColor(m_ambientColour);
    m_host.EndWaitCursor();
    file.Close();

    m_recordPath = RecordPathOf(path);
    m_view.LoadBrowsePath(m_recordPath);
    return true;
}

bool DesignSession::SaveDesign(const std::string& path) {
    m_host.BeginWaitCursor();
    if (path.empty()) {
        m_host.EndWaitCursor();
        return false;
    }
    const ViewerState viewer = m_view.GetViewer();
    const dsg::CDesignHeader header = dsg::HeaderForSaving(
        viewer.heading, viewer.pitch, {viewer.position.x, viewer.position.y, viewer.position.z},
        m_ambientColour, m_showState2D, m_showState3D);
    dsg::CDesignFile file(m_host);
    if (!file.OpenWrite(path)) {
        m_host.ShowMessage(kCannotCreate);
        m_host.EndWaitCursor();
        return false;
    }
    struct Step {
        bool (dsg::CDesignFile::*write)(const model::CRoomDesign&);
        const char* message;
    };
    const Step steps[] = {
        {&dsg::CDesignFile::WriteWalls, "寫入牆資料失敗!"},
        {&dsg::CDesignFile::WriteFloors, "寫入地板資料失敗!"},
        {&dsg::CDesignFile::WriteCeilings, "寫入天花板資料失敗!"},
        {&dsg::CDesignFile::WriteFurniture, "寫入傢俱資料失敗!"},
        {&dsg::CDesignFile::WriteLights, "寫入光源資料失敗!"},
        {&dsg::CDesignFile::WritePlants, "寫入植物資料失敗!"},
    };
    const auto fail = [&](const char* message) {
        m_host.ShowMessage(message);
        m_host.EndWaitCursor();
        file.Discard();  // the file on disk stays as it was before the save
        return false;
    };
    if (!file.WriteHeader(header)) return fail("寫入檔案表頭失敗!");
    for (const Step& step : steps)
        if (!(file.*step.write)(*m_design)) return fail(step.message);
    if (!file.Close()) return fail(kCannotReplace);
    m_host.EndWaitCursor();
    m_savePath = path;
    return true;
}

}  // namespace roamer::app
