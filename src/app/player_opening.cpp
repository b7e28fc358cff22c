// Opening play lists and design selections, and the panel buttons around them.
#include <filesystem>
#include <system_error>

#include "app/play_list.h"
#include "app/player_app.h"
#include "platform/fs/windows_path.h"

namespace roamer::app {
namespace {

constexpr const char* kUnsavedQuestion = "設計案已修改!是否儲存?";

}  // namespace

bool PlayerApp::SettleUnsavedChanges() {
    if (!modified) return true;
    switch (m_host.Ask(kUnsavedQuestion, ControlPanel::kApplicationTitle, true)) {
        case Host::Answer::kCancel: return false;
        case Host::Answer::kYes: return SaveDesign();
        case Host::Answer::kNo: return true;
    }
    return true;
}

bool PlayerApp::DesignShown() const { return m_session && !m_session->LoadedPath().empty(); }

std::string PlayerApp::DesignFileForVideo() {
    if (!DesignShown()) return {};
    const bool edited = modified;
    if (!SettleUnsavedChanges()) return {};
    // Saved just now, perhaps under another name: that file holds what is on screen.
    if (edited && !modified && !m_session->SavePath().empty()) return m_session->SavePath();
    return m_session->LoadedPath();
}

void PlayerApp::ShowNoList() {
    if (state != PS_READY && state != PS_PAUSED) return;
    SetPlayState(PS_NOLIST);
    m_panel.SetStatus(PS_NOLIST, "", loop);
    m_panel.ShowDesignCounter(0, 0);
    m_panel.ShowPassCounter(0, settings.repeatCount);
    m_host.PanelChanged();
}

bool PlayerApp::OpenPlayList() {
    if (!SettleUnsavedChanges()) return false;
    FileDialogRequest request;
    request.title = "開啟播放表";
    request.filter = "Play Volumn File (*.vol)|*.vol|All File(*.*)|*.*||";
    request.defaultExtension = ".vol";
    request.initialName = "default.vol";
    const FileDialogResult chosen = m_host.RunFileDialog(request);
    if (!chosen.accepted || chosen.files.empty()) return false;
    return OpenPlayListAt(chosen.files.front());
}

bool PlayerApp::OpenPlayListAt(const std::string& path) {
    m_host.PanelChanged();

    if (state == PS_PLAYING) Stop();
    ResetDesign();
    m_engine->Render();

    switch (ReadPlayList(path, playList)) {
        case PlayListRead::kCannotOpen:
        case PlayListRead::kCannotRead:
            m_host.ShowMessage(kPlayListReadFailed);
            ShowNoList();
            return false;
        case PlayListRead::kLineTooLong:
        case PlayListRead::kRead:
            break;
    }
    if (!CheckPlayList(playList)) {
        playList.clear();
        ShowNoList();
        m_host.ShowMessage(kPlayListBad);
        return false;
    }
    // Relative entries are found from the play list's folder.
    playListFolder = fs::LocalFolderOf(path);
    designCount = static_cast<std::int32_t>(playList.size());
    designIndex = -1;
    passIndex = -1;
    SetPlayState(PS_READY);
    return true;
}

bool PlayerApp::SelectDesigns() {
    if (!SettleUnsavedChanges()) return false;
    FileDialogRequest request;
    request.multipleFiles = true;
    request.title = "選擇播放設計案";
    request.filter = "Room Design File (*.dsg)|*.dsg||";
    request.defaultExtension = ".dsg";
    const FileDialogResult chosen = m_host.RunFileDialog(request);
    if (!chosen.accepted) return false;
    return SelectDesignFiles(chosen.folder, chosen.files);
}

bool PlayerApp::SelectDesignFiles(const std::string& folder, const std::vector<std::string>& files) {
    m_host.PanelChanged();
    designFolder = folder;
    if (!designFolder.empty() && designFolder.back() != '/') designFolder += '/';
    if (files.empty()) return false;
    playList = files;
    playListFolder = designFolder;
    if (state == PS_PLAYING) Stop();
    // The dialog's path: the file itself when one was chosen, else the folder.
    const std::string dialogPath = files.size() == 1 ? files.front() : folder;
    if (m_session && dialogPath != m_session->LoadedPath() && !m_session->LoadedPath().empty()) {
        ResetDesign();
        m_engine->Render();
    }
    designCount = static_cast<std::int32_t>(playList.size());
    designIndex = -1;
    passIndex = -1;
    SetPlayState(PS_READY);
    return true;
}

std::string PlayerApp::CurrentDesignPath() {
    if (designIndex < 0 || designIndex >= designCount ||
        designIndex >= static_cast<std::int32_t>(playList.size()))
        return {};
    const std::string& entry = playList[static_cast<std::size_t>(designIndex)];
    const std::size_t separator = entry.find_last_of("\\/");
    designFolder = separator == std::string::npos ? std::string() : entry.substr(0, separator);
    designFolder += '\\';
    return entry;
}

void PlayerApp::PreviewFirstDesign() {
    if (!m_viewOpen) return;
    designIndex = 0;
    const std::string path = CurrentDesignPath();
    designIndex = -1;
    if (path.empty()) return;
    if (LoadDesign(path)) m_engine->Render();
    m_navigator->ApplyView();
    m_engine->Render();
}

void PlayerApp::PressPlay() {
    Play();
    if (m_viewOpen) m_host.RaiseFrameWindow();
}

static void AfterListOpened(PlayerApp& app, PlayerHost& host) {
    if (!app.ViewOpen()) {
        if (!app.OpenView()) return;
    } else {
        host.RaiseFrameWindow();
    }
    app.Panel().SetStatus(PS_READY, "", app.loop);
    app.Panel().ShowDesignCounter(app.designIndex + 2, app.designCount);
    app.Panel().ShowPassCounter(app.passIndex + 1, app.settings.repeatCount);
    host.PanelChanged();
    app.PreviewFirstDesign();
    app.Panel().SetStatus(PS_READY, app.CurrentDesignPath(), app.loop);
    host.PanelChanged();
}

void PlayerApp::PressOpenDesigns() {
    if (SelectDesigns()) AfterListOpened(*this, m_host);
}

void PlayerApp::PressOpenPlayList() {
    if (OpenPlayList()) AfterListOpened(*this, m_host);
}

// A path as a dialog gives it: absolute, from the current folder when relative.
static std::string FullLocalPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.lexically_normal().string();
}

static bool NamesDesign(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || path.size() - dot != 4) return false;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(c | 0x20);
    return extension == "dsg";
}

bool PlayerApp::OpenFiles(const std::vector<std::string>& paths) {
    if (paths.empty() || !SettleUnsavedChanges()) return false;
    std::vector<std::string> files;
    bool allDesigns = true;
    for (const std::string& path : paths) {
        files.push_back(FullLocalPath(path));
        allDesigns = allDesigns && NamesDesign(files.back());
    }
    bool opened = false;
    if (allDesigns) {
        opened = SelectDesignFiles(fs::LocalFolderOf(files.front()), files);
    } else if (files.size() == 1) {
        opened = OpenPlayListAt(files.front());
    } else {
        // Not one list and not only designs: the list the dialog's check would refuse.
        m_host.PanelChanged();
        if (state == PS_PLAYING) Stop();
        ResetDesign();
        m_engine->Render();
        playList.clear();
        ShowNoList();
        m_host.ShowMessage(kPlayListBad);
    }
    if (opened) AfterListOpened(*this, m_host);
    return opened;
}

void PlayerApp::ToggleLoop() {
    loop = !loop;
    const bool named = state == PS_PLAYING || state == PS_PAUSED;
    m_panel.SetStatus(state, named ? CurrentDesignPath() : std::string(), loop);
    m_host.PanelChanged();
}

bool PlayerApp::OpenView() {
    int width = 0;
    int height = 0;
    m_surface = m_host.OpenFrameWindow(&width, &height);
    if (m_surface == nullptr) return false;
    m_panel.SetFrameExists(true);
    m_viewOpen = true;
    // Making the view sends it its first size.
    OnViewSize(width, height);
    return true;
}

void PlayerApp::Close() {
    if (modified &&
        m_host.Ask(kUnsavedQuestion, ControlPanel::kApplicationTitle, false) == Host::Answer::kYes)
        SaveDesign();
    StopPlayTimer();
    m_host.StopTimer(kWelcomeTimer);
}

}  // namespace roamer::app
