#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/control_panel.h"
#include "app/design_session.h"
#include "app/design_view.h"
#include "app/options_dialog_model.h"
#include "app/play_state.h"
#include "app/player_host.h"
#include "nav/browse_path.h"
#include "nav/navigator.h"
#include "nav/selection_box.h"
#include "nav/wall_collision.h"
#include "render/render_engine.h"

namespace roamer::model {
class CRoomDesign;
class CFurniture;
}

namespace roamer::app {

// The player: the play list and the sequencer that walks through it, the design now shown with
// its browse path, the viewer, and the run's settings. It has no window of its own: the window
// layer forwards buttons, keys, mouse and timer ticks to it and shows the control panel it keeps.
class PlayerApp final : public nav::NavigatorHost, public DesignView {
public:
    static constexpr int kPlayTimer = 1;
    static constexpr int kWelcomeTimer = 2;
    static constexpr int kPauseTimer = 3;

    // `progress` is the window that shows a design's loading; none shows nothing.
    PlayerApp(PlayerHost& host, std::string workFolder, std::unique_ptr<Progress> progress = nullptr);
    ~PlayerApp() override;
    PlayerApp(const PlayerApp&) = delete;
    PlayerApp& operator=(const PlayerApp&) = delete;

    // The play sequencer.
    void SetPlayState(std::int32_t state);
    void Play();
    void Pause();
    void Stop();
    void NextDesign();
    void PreviousDesign();
    bool AdvanceDesign();
    bool BackDesign();
    void StartPass();
    void ResumePass();
    void EndOfPath();
    void OnTimer(int id);
    void StartPlayTimer();
    void StopPlayTimer() override;
    int PlayTimerInterval() const;
    // The play timer's interval at a speed setting (0..3) while a browse path plays.
    static int PlayInterval(int speedIndex) { return (speedIndex + 1) * 50; }

    // The options dialog: the window shows the model; OK applies it.
    OptionsDialogModel BeginOptions();
    // `accepted`: the dialog ended with OK after the model validated.
    void EndOptions(const OptionsDialogModel& dialog, bool accepted);

    // Opening and saving. The dialogs' choices go on as OpenPlayListAt and SelectDesignFiles.
    bool OpenPlayList();
    bool SelectDesigns();
    bool OpenPlayListAt(const std::string& path);
    bool SelectDesignFiles(const std::string& folder, const std::vector<std::string>& files);
    // Files named outside the dialogs (the command line, a drop), opened as if chosen in them:
    // one play list, or designs (".dsg", any case) as a selection; anything else is refused as
    // a bad play list. Asks about unsaved changes first; then shows the first design as the
    // panel's buttons do. True when a list is ready to play.
    bool OpenFiles(const std::vector<std::string>& paths);
    bool LoadDesign(const std::string& path);
    bool SaveDesign();
    void ResetDesign();
    std::string CurrentDesignPath();
    // The design file to make a video of the design on screen from: unsaved edits are offered
    // to be saved first, as before a load. Empty when no design is shown, or the user cancelled
    // or the save failed.
    std::string DesignFileForVideo();
    bool DesignShown() const;
    void PreviewFirstDesign();

    // The control panel's buttons that open lists (they also open the 3D view on first use),
    // and the loop toggle.
    void PressOpenDesigns();
    void PressOpenPlayList();
    void PressPlay();
    void ToggleLoop();
    bool OpenView();
    // The player is closing: offers to save a modified design and stops the timers.
    void Close();

    // The 3D frame window was closed: it is only hidden, and playback stops.
    void OnFrameClose();

    // The 3D view.
    void OnViewSize(int width, int height);
    void OnViewPaint();
    void OnViewDestroy();
    void OnKeyDown(std::int32_t key);
    void OnKeyUp(std::int32_t key);
    void OnChar(char32_t character);
    void OnLeftButtonDown(int x, int y);
    void OnLeftButtonUp();
    void OnRightButtonDown(int x, int y);
    void OnRightButtonUp();
    void OnMouseMove(int x, int y);
    void OnMouseWheel(int delta);
    // One tick of mouse-drive navigation: turn, tilt, walk, rise or slide by the offsets.
    void MouseDriveStep();

    // The edit selection.
    void SelectObject(model::CFurniture* furniture);
    model::CFurniture* Selected() const { return m_selected; }
    nav::SelectionBox* Selection() const { return m_selectionBox.get(); }

    // Edit-mode arithmetic: a 45-degree step, the direction of a screen motion in degrees, and
    // the floor offsets of a motion of `length` pixels in direction `m` degrees.
    static double FortyFiveDegreeStep(double angle, bool right);
    static double MotionDirection(int dx, int dy);
    static void FloorOffsets(double length, double m, int& du, int& dv);

    // NavigatorHost.
    bool WallCollisionOn() const override { return settings.wallCollision; }
    rm::Vector3 CollideMove(const rm::Vector3& from, const rm::Vector3& to) override;
    void PauseThenResume(int milliseconds) override;
    int PauseIndex() const override { return settings.pauseIndex; }
    bool EditMode() const override { return settings.editMode; }
    void ClearSelection() override;

    // DesignView.
    void ApplyViewer(const ViewerState& viewer) override;
    void SetAmbientColor(rm::Color color) override;
    ViewerState GetViewer() const override;
    void LoadBrowsePath(const std::string& recordPath) override;

    render::RenderEngine& Engine() { return *m_engine; }
    nav::Navigator& Navigator() { return *m_navigator; }
    ControlPanel& Panel() { return m_panel; }
    // The design now shown; none until the 3D view has started.
    model::CRoomDesign* Design();
    DesignSession* Session() { return m_session.get(); }
    nav::BrowsePath& Path() { return *m_path; }
    bool ViewOpen() const { return m_viewOpen; }

    // Fields.
    std::int32_t state = PS_NONE;
    std::int32_t designCount = 0;
    std::int32_t designIndex = -1;
    std::int32_t passIndex = -1;
    std::vector<std::string> playList;
    PlayerSettings settings;
    bool loop = false;
    bool modified = false;
    bool mouseDrive = false;
    std::string designFolder;
    std::string workFolder;
    // The play list entry now loaded (empty when none), and where relative entries are found.
    std::string loadedEntry;
    std::string playListFolder;
    bool hardwareDriver = false;
    int mouseOffsetX = 0;
    int mouseOffsetY = 0;

private:
    struct ViewPoint {
        int x = -1;
        int y = -1;
    };

    void ShowReadyCounters();
    void ShowNoList();
    void SetProjection(int width, int height);
    void SetTextureFiltering();
    void EndMouseDrive();
    void EditDrag(int x, int y);
    void MoveSelection(const rm::Vector3& position);
    // The local file a play list entry names.
    std::string LocalPathOf(const std::string& entry) const;
    void RebuildCollisionWalls();
    // The unsaved-changes question before a modified design leaves: false when the user cancels
    // or the save fails, and the design stays.
    bool SettleUnsavedChanges();
    // The furniture whose model is `visual`, if any.
    model::CFurniture* FurnitureShowing(const rm::Visual* visual) const;
    void TurnSelection(double angle);

    PlayerHost& m_host;
    std::unique_ptr<render::RenderEngine> m_engine;
    std::unique_ptr<nav::BrowsePath> m_path;
    std::unique_ptr<nav::Navigator> m_navigator;
    std::unique_ptr<DesignSession> m_session;
    std::unique_ptr<nav::SelectionBox> m_selectionBox;
    std::vector<nav::CollisionWall> m_collisionWalls;
    ControlPanel m_panel;
    rm::RenderSurface* m_surface = nullptr;
    bool m_viewOpen = false;
    bool m_firstSize = true;
    // The last LoadDesign kept a modified design on the user's word: playback stops there.
    bool m_designKept = false;
    bool m_leftDown = false;
    bool m_rightDown = false;
    ViewPoint m_leftPress;
    ViewPoint m_rightPress;
    model::CFurniture* m_selected = nullptr;
    rm::Vector3 m_selectedPosition;
    double m_selectedAngle = 0.0;
    double m_selectedTilt = 0.0;
};

}  // namespace roamer::app
