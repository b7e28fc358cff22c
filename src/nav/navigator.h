#pragma once

#include <cstdint>
#include <string>

#include "nav/browse_path.h"
#include "nav/nav_command.h"
#include "platform/host.h"
#include "platform/rm/vector.h"
#include "render/render_engine.h"

namespace roamer::nav {

// What the navigator asks of the player around it.
class NavigatorHost {
public:
    virtual ~NavigatorHost() = default;
    // Moves the viewer from `from` to `to` with the wall-collision test (when that is on).
    virtual bool WallCollisionOn() const = 0;
    virtual rm::Vector3 CollideMove(const rm::Vector3& from, const rm::Vector3& to) = 0;
    // The play timer, and the pause after a recorded stop: the play timer stays stopped for
    // `milliseconds` and then starts again, and nothing is replayed in between.
    virtual void StopPlayTimer() = 0;
    virtual void PauseThenResume(int milliseconds) = 0;
    virtual int PauseIndex() const = 0;
    virtual bool EditMode() const = 0;
    virtual void ClearSelection() = 0;
};

// The viewer: where the eye stands, which way it faces and how far it tilts, and how each
// navigation command changes that. Keys and recorded browse paths drive it alike.
class Navigator {
public:
    static constexpr double kTurnStep = 0.09817476875;
    static constexpr double kFineTurnFactor = 0.17777778081;
    static constexpr double kPitchLimit = 1.57079630001;
    static constexpr float kLowestEye = 1.5f;

    Navigator(render::RenderEngine& engine, Host& host, NavigatorHost& player);

    // Camera state.
    void SetViewerPosition(const rm::Vector3& position);
    rm::Vector3 GetViewerPosition();
    void SetHeading(double a);
    // Ignored outside -1.57079630001 .. 1.57079630001.
    void SetPitch(double p);
    // Puts the camera where the fields say, exactly as stored.
    void ApplyView();
    rm::Vector3 MoveForward(double distance) const;
    rm::Vector3 MoveBackward(double distance) const;
    rm::Vector3 SlideLeft(double distance) const;
    rm::Vector3 SlideRight(double distance) const;

    // Commands.
    void KeyDown(NavCommand code);
    void KeyUp(NavCommand code);
    void ExecuteCommand(NavCommand code);
    void ReleaseShift() { KeyUp(CPS_SHIFT_PRESSED); }

    // Playback of `path`.
    void SetPath(BrowsePath* path) { m_path = path; }
    BrowsePath* GetPath() const { return m_path; }
    bool StartPath();
    bool StepPath(bool forward);
    // How long a recorded stop holds the smoothed still at the pause setting (0..2).
    static int PauseMilliseconds(int pauseIndex) { return (pauseIndex + 1) * 50; }

    double heading = 0.0;
    double pitch = 0.0;
    rm::Vector3 viewerPosition;
    std::int32_t modifierBits = 0;
    double stepFactor = 5.0;
    double turnFactor = 1.0;
    double walkStep = 2.0;
    double riseStep = 2.0;
    std::int32_t smoothPasses = 5;
    std::string recordPath;

private:
    void Render();
    void NormalSteps();

    render::RenderEngine& m_engine;
    Host& m_host;
    NavigatorHost& m_player;
    BrowsePath* m_path = nullptr;
};

}  // namespace roamer::nav
