#include "app/player_app.h"

#include "model/room_design.h"
#include "nav/browse_path_loader.h"
#include "platform/fs/windows_path.h"

namespace roamer::app {

PlayerApp::PlayerApp(PlayerHost& host, std::string workFolder_, std::unique_ptr<Progress> progress)
    : workFolder(std::move(workFolder_)),
      m_host(host),
      m_engine(std::make_unique<render::RenderEngine>(host, std::move(progress))),
      m_path(std::make_unique<nav::BrowsePath>()),
      m_navigator(std::make_unique<nav::Navigator>(*m_engine, host, *this)) {
    if (!workFolder.empty() && workFolder.back() != '/') workFolder += '/';
    m_navigator->SetPath(m_path.get());
    m_panel.SetStatus(PS_NONE, "", loop);
    m_panel.ShowDesignCounter(0, 0);
    m_panel.ShowPassCounter(0, settings.repeatCount);
}

PlayerApp::~PlayerApp() {
    // The design's objects hang in the engine's scene: they go before the engine.
    m_selected = nullptr;
    m_selectionBox.reset();
    m_session.reset();
    m_navigator.reset();
    m_engine.reset();
    m_path.reset();
    playList.clear();
}

model::CRoomDesign* PlayerApp::Design() { return m_session ? &m_session->Design() : nullptr; }

std::string PlayerApp::LocalPathOf(const std::string& entry) const {
    if (auto found = fs::ResolveExistingPath(entry, playListFolder)) return *found;
    // Not there: the path as written, so that opening it fails with its own message.
    const std::string local = fs::ToLocalPath(entry);
    if (local.empty() || local.front() == '/' || (local.size() > 1 && local[1] == ':'))
        return local;
    return playListFolder + local;
}

bool PlayerApp::LoadDesign(const std::string& path) {
    m_designKept = false;
    if (!m_session) return false;
    if (!loadedEntry.empty() && path == loadedEntry) return true;
    // Another spelling of the file now shown is the same design: nothing to read.
    const std::string local = LocalPathOf(path);
    if (!m_session->LoadedPath().empty() && local == m_session->LoadedPath()) {
        loadedEntry = path;
        return true;
    }
    // A modified design is about to be replaced: its edits are saved, dropped or it stays.
    if (!SettleUnsavedChanges()) {
        m_designKept = true;
        return false;
    }
    // Everything that points into the old design goes first.
    modified = false;
    m_selected = nullptr;
    if (m_selectionBox) m_selectionBox->HideBox();
    m_path->Reset();
    m_collisionWalls.clear();
    loadedEntry = path;
    m_panel.SetStatus(PS_LOADING, path, loop);
    m_host.PanelChanged();
    const bool loaded = m_session->LoadDesign(local);
    if (!loaded) loadedEntry.clear();
    RebuildCollisionWalls();
    return loaded;
}

bool PlayerApp::SaveDesign() {
    if (!m_session) return false;
    m_host.BeginWaitCursor();
    FileDialogRequest request;
    request.save = true;
    request.filter = "Room Design File (*.dsg)|*.dsg|All File(*.*)|*.*||";
    request.defaultExtension = ".dsg";
    request.initialName = m_session->SavePath().empty() ? "Default.dsg" : m_session->SavePath();
    const FileDialogResult chosen = m_host.RunFileDialog(request);
    m_host.EndWaitCursor();
    if (!chosen.accepted || chosen.files.empty() || chosen.files.front().empty()) return false;
    if (!m_session->SaveDesign(chosen.files.front())) return false;
    modified = false;
    return true;
}

void PlayerApp::ResetDesign() {
    modified = false;
    m_selected = nullptr;
    loadedEntry.clear();
    m_path->Reset();
    m_collisionWalls.clear();
    if (!m_session) return;
    m_selectionBox = std::make_unique<nav::SelectionBox>(*m_engine);
    m_session->ResetDesign();
}

void PlayerApp::ApplyViewer(const ViewerState& viewer) {
    m_navigator->viewerPosition = viewer.position;
    m_navigator->heading = viewer.heading;
    m_navigator->pitch = viewer.pitch;
    m_navigator->ApplyView();
}

void PlayerApp::SetAmbientColor(rm::Color color) { m_engine->SetAmbientColor(color); }

ViewerState PlayerApp::GetViewer() const {
    return {m_navigator->viewerPosition, m_navigator->heading, m_navigator->pitch};
}

void PlayerApp::LoadBrowsePath(const std::string& recordPath) {
    m_path->Reset();
    nav::LoadBrowsePathFile(recordPath, *m_path, m_host);
    m_navigator->recordPath = recordPath;
}

model::CFurniture* PlayerApp::FurnitureShowing(const rm::Visual* visual) const {
    if (!m_session || visual == nullptr) return nullptr;
    for (const auto& piece : m_session->Design().Furniture().Items())
        if (piece->GetMesh().get() == visual) return piece.get();
    return nullptr;
}

// Door boxes do not change while a design is shown, so the walls are gathered once per load.
void PlayerApp::RebuildCollisionWalls() {
    m_collisionWalls.clear();
    if (!m_session) return;
    for (const auto& wall : m_session->Design().Walls()) {
        nav::CollisionWall w;
        for (const model::CPlanPoint& p : wall->GetWallLine().Points()) w.line.push_back({p.x, p.y});
        w.twoDto3D = wall->Get2Dto3D();
        w.top = wall->GetTop();
        w.bottom = wall->GetBottom();
        for (const auto& door : wall->DoorList()) {
            const model::DoorBox& b = door->Box;
            w.doors.push_back({b.XMin, b.XMax, b.YMin, b.YMax, b.ZMin, b.ZMax});
        }
        m_collisionWalls.push_back(std::move(w));
    }
}

rm::Vector3 PlayerApp::CollideMove(const rm::Vector3& from, const rm::Vector3& to) {
    return nav::CollideMove(from, to, m_collisionWalls);
}

}  // namespace roamer::app
