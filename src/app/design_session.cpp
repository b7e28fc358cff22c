#include "app/design_session.h"

#include "app/floor_reflections.h"
#include "app/shadows.h"
#include "dsg/design_file.h"
#include "platform/fs/windows_path.h"
#include "platform/text/cp950.h"

namespace roamer::app {
namespace {

constexpr const char* kCannotOpen = "無法開啟檔案-";
constexpr const char* kCannotCreate = "無法開啟檔案!";
// Saving writes beside the target and renames at the end; this is what a failed rename shows.
constexpr const char* kCannotReplace = "儲存檔案失敗!";

struct ProgressCloser {
    Progress* progress;
    ~ProgressCloser() {
        if (progress != nullptr) progress->Close();
    }
};

// The six sections after the header, in file order.
constexpr int kSections = 6;
constexpr int kFloors = 1;
constexpr const char* kReadFailures[kSections] = {
    "讀取牆資料失敗!",   "讀取地板資料失敗!", "讀取天花板資料失敗!",
    "讀取傢俱資料失敗!", "讀取光源資料失敗!", "讀取植物資料失敗!"};
constexpr const char* kWriteFailures[kSections] = {
    "寫入牆資料失敗!",   "寫入地板資料失敗!", "寫入天花板資料失敗!",
    "寫入傢俱資料失敗!", "寫入光源資料失敗!", "寫入植物資料失敗!"};

bool ReadSection(dsg::CDesignFile& file, model::CRoomDesign& design, int section) {
    switch (section) {
        case 0: return file.ReadWalls(design);
        case 1: return file.ReadFloors(design);
        case 2: return file.ReadCeilings(design);
        case 3: return file.ReadFurniture(design);
        case 4: return file.ReadLights(design);
        default: return file.ReadPlants(design);
    }
}

void ResetSection(model::CRoomDesign& design, int section) {
    switch (section) {
        case 0: design.ResetWalls(); break;
        case 1: design.ResetFloors(); break;
        case 2: design.ResetCeilings(); break;
        case 3: design.ResetFurniture(); break;
        case 4: design.ResetLights(); break;
        default: design.ResetPlants(); break;
    }
}

bool WriteSection(dsg::CDesignFile& file, const model::CRoomDesign& design, int section) {
    switch (section) {
        case 0: return file.WriteWalls(design);
        case 1: return file.WriteFloors(design);
        case 2: return file.WriteCeilings(design);
        case 3: return file.WriteFurniture(design);
        case 4: return file.WriteLights(design);
        default: return file.WritePlants(design);
    }
}

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
    // An emptied model holds no design, so the same file must be read again when asked for.
    m_loadedPath.clear();
    // The old design leaves the scene before the new containers are made: its reflections and
    // shadows first, while the objects they belong to still stand.
    if (m_design) {
        RemoveReflections(*m_design);
        RemoveShadows(*m_design);
    }
    m_design.reset();
    m_design = std::make_unique<model::CRoomDesign>(m_d3drm, m_roomFrame, m_sceneFrame,
                                                    m_designFolder, m_workFolder);
}

bool DesignSession::LoadDesign(const std::string& path) {
    if (path == m_loadedPath) return true;
    m_designFolder = fs::LocalFolderOf(path);
    ResetDesign();
    m_host.BeginWaitCursor();
    // However the load ends, its progress window goes.
    const ProgressCloser closeProgress{m_progress};
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
    // Sections are read in file order; on a failure, the lists this load filled up to and
    // including the failing one are replaced by empty ones.
    const auto fail = [&](const char* message, int filled) {
        m_host.ShowMessage(message);
        m_host.EndWaitCursor();
        for (int section = 0; section < filled; ++section) ResetSection(design, section);
        file.Close();
        m_loadedPath.clear();
        return false;
    };
    const bool headerRead = file.ReadHeader(header);
    m_loadedVersion = file.GetFileVersion();
    if (!headerRead) return fail("讀取檔案表頭失敗!", 0);
    m_header = header;
    for (int section = 0; section < kSections; ++section) {
        if (!ReadSection(file, design, section))
            return fail(kReadFailures[section], section + 1);
        // Once every floor is there, each takes its transparency.
        if (section == kFloors)
            for (const auto& floor : design.Floors()) floor->ApplyPowerFlag();
    }
    design.SetSourceVersion(m_loadedVersion);

    // Models are fitted into door openings before they are mirrored, so a reflection shows the
    // model at the size it is seen.
    FitDoorModels();
    MakeReflections(design, m_host);
    MakeShadows(design);
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
    file.ChooseWriteVersion(m_design->GetSourceVersion());
    const auto fail = [&](const char* message) {
        m_host.ShowMessage(message);
        m_host.EndWaitCursor();
        file.Discard();  // the file on disk stays as it was before the save
        return false;
    };
    if (!file.WriteHeader(header)) return fail("寫入檔案表頭失敗!");
    UpdateShadowLightIndices(*m_design);
    for (int section = 0; section < kSections; ++section)
        if (!WriteSection(file, *m_design, section)) return fail(kWriteFailures[section]);
    if (!file.Close()) return fail(kCannotReplace);
    m_host.EndWaitCursor();
    m_savePath = path;
    return true;
}

}  // namespace roamer::app
