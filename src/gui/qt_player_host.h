#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <set>

#include "app/player_host.h"
#include "gui/d3d_frame.h"

class QWidget;

namespace roamer::app {
class PlayerApp;
}

namespace roamer::gui {

class LoadProgress;

// The player's window services with Qt: message boxes and questions titled "Roamer", file
// dialogs, the wait cursor, the timers whose ticks go to the player, the 3D frame window and
// the repainting of the control panel.
class QtPlayerHost final : public app::PlayerHost {
public:
    QtPlayerHost();
    ~QtPlayerHost() override;
    QtPlayerHost(const QtPlayerHost&) = delete;
    QtPlayerHost& operator=(const QtPlayerHost&) = delete;

    // The player the ticks go to, the panel window that owns the other windows, and the
    // progress of loads (the ticks wait while a design loads).
    void Attach(app::PlayerApp* app, QWidget* panel, LoadProgress* progress);
    // Ticks of the welcome timer, which the player itself does not use.
    void SetWelcomeTick(std::function<void()> tick) { m_welcomeTick = std::move(tick); }
    // Called when the 3D frame window asks for help (F1).
    void SetHelpRequest(std::function<void()> help) { m_help = std::move(help); }
    // The sample rooms' folder, offered beside the places of every open dialog: a player started
    // from the menu opens its dialogs in the home folder, far from where they were installed.
    void SetSamplesFolder(QString folder) { m_samplesFolder = std::move(folder); }
    // Called once when the 3D frame window has been made.
    void SetFrameMade(std::function<void(D3DFrame&)> made) { m_frameMade = std::move(made); }

    // Host.
    void ShowMessage(std::string_view text) override;
    Answer Ask(std::string_view text, std::string_view caption, bool withCancel) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;

    // PlayerHost.
    void StartTimer(int id, int intervalMs) override;
    void StopTimer(int id) override;
    app::FileDialogResult RunFileDialog(const app::FileDialogRequest& request) override;
    rm::RenderSurface* OpenFrameWindow(int* width, int* height) override;
    void RaiseFrameWindow() override;
    void PanelChanged() override;

    D3DFrame* Frame() const { return m_frame; }
    // Deletes the 3D frame window, releasing the engine's device with its view.
    void DestroyFrameWindow();
    bool TimerRunning(int id) const;
    int TimerInterval(int id) const;

private:
    void Tick(int id);
    void RunWaitingTicks();
    QWidget* DialogParent() const;

    app::PlayerApp* m_app = nullptr;
    QPointer<QWidget> m_panel;
    LoadProgress* m_progress = nullptr;
    QPointer<D3DFrame> m_frame;
    std::map<int, std::unique_ptr<QTimer>> m_timers;
    std::set<int> m_waitingTicks;
    std::function<void()> m_welcomeTick;
    std::function<void()> m_help;
    QString m_samplesFolder;
    std::function<void(D3DFrame&)> m_frameMade;
    int m_waitCursors = 0;
};

}  // namespace roamer::gui
