#include "nav/navigator.h"

#include <cmath>
#include <string>

#include "render/angles.h"
#include "render/error_text.h"

namespace roamer::nav {
namespace {

constexpr std::int32_t kShiftBit = 1;
constexpr std::int32_t kControlBit = 2;
constexpr std::int32_t kSpaceBit = 4;
constexpr NavCommand kControl = 17;
constexpr NavCommand kEnter = 13;
constexpr const char* kSmoothingAdvice = "\n\n取消<物件平滑處理>選項\n將視窗還原至原來的大小";

rm::Vector3 Offset(const rm::Vector3& from, double dx, double dz) {
    return {static_cast<float>(from.x + dx), from.y, static_cast<float>(from.z + dz)};
}

}  // namespace

Navigator::Navigator(render::RenderEngine& engine, Host& host, NavigatorHost& player)
    : m_engine(engine), m_host(host), m_player(player) {}

void Navigator::Render() { m_engine.Render(); }

void Navigator::SetViewerPosition(const rm::Vector3& position) {
    viewerPosition = position;
    m_engine.SetParentCameraPosition(position.x, position.y, position.z);
}

rm::Vector3 Navigator::GetViewerPosition() {
    rm::Vector3 position;
    m_engine.GetParentCameraPosition(&position);
    return position;
}

void Navigator::SetHeading(double a) {
    heading = render::NormalizeHeading(a);
    const rm::Vector3 f = render::HeadingDirection(heading);
    m_engine.SetParentCameraOrientation(f.x, f.y, f.z, 0.0f, 1.0f, 0.0f);
}

void Navigator::SetPitch(double p) {
    if (!(p >= -kPitchLimit && p <= kPitchLimit)) return;
    pitch = p;
    const rm::Vector3 d = render::TiltDirection(p);
    const rm::Vector3 u = render::TiltUp(p);
    m_engine.SetCameraOrientation(d.x, d.y, d.z, u.x, u.y, u.z);
}

void Navigator::ApplyView() {
    m_engine.SetParentCameraPosition(viewerPosition.x, viewerPosition.y, viewerPosition.z);
    const rm::Vector3 f = render::HeadingDirection(heading);
    m_engine.SetParentCameraOrientation(f.x, f.y, f.z, 0.0f, 1.0f, 0.0f);
    const rm::Vector3 d = render::TiltDirection(pitch);
    const rm::Vector3 u = render::TiltUp(pitch);
    m_engine.SetCameraOrientation(d.x, d.y, d.z, u.x, u.y, u.z);
}

// Forward is (-sin h, 0, cos h); right is (cos h, 0, sin h).
rm::Vector3 Navigator::MoveForward(double d) const {
    return Offset(viewerPosition, -d * std::sin(heading), d * std::cos(heading));
}

rm::Vector3 Navigator::MoveBackward(double d) const { return MoveForward(-d); }

rm::Vector3 Navigator::SlideRight(double d) const {
    return Offset(viewerPosition, d * std::cos(heading), d * std::sin(heading));
}

rm::Vector3 Navigator::SlideLeft(double d) const { return SlideRight(-d); }

void Navigator::NormalSteps() {
    stepFactor = 5.0;
    turnFactor = 1.0;
}

void Navigator::KeyDown(NavCommand code) {
    switch (code) {
        case CPS_SHIFT_PRESSED:
            modifierBits |= kShiftBit;
            stepFactor = 1.0;
            turnFactor = kFineTurnFactor;
            return;
        case kControl:
            modifierBits |= kControlBit;
            return;
        case CPS_TIME_STAMP:
            modifierBits |= kSpaceBit;
            return;
        case kEnter:
            if (m_player.EditMode()) {
                m_player.ClearSelection();
                Render();
            }
            break;
        default:
            break;
    }
    ExecuteCommand(code);
}

void Navigator::KeyUp(NavCommand code) {
    // Releasing Ctrl or Space returns to normal steps even while Shift is still held.
    switch (code) {
        case CPS_SHIFT_PRESSED:
            modifierBits &= ~kShiftBit;
            NormalSteps();
            break;
        case kControl:
            modifierBits &= ~kControlBit;
            NormalSteps();
            break;
        case CPS_TIME_STAMP:
            modifierBits &= ~kSpaceBit;
            NormalSteps();
            break;
        default:
            break;
    }
}

void Navigator::ExecuteCommand(NavCommand code) {
    const double s = kTurnStep * turnFactor;
    const double d = walkStep * stepFactor;
    const double v = riseStep * stepFactor;
    const rm::Vector3 old = GetViewerPosition();
    bool moves = true;
    rm::Vector3 p = viewerPosition;
    switch (code) {
        case CPS_LOOK_UP: SetPitch(pitch + s); moves = false; break;
        case CPS_LOOK_DOWN: SetPitch(pitch - s); moves = false; break;
        case CPS_TURN_LEFT: SetHeading(heading + s); moves = false; break;
        case CPS_TURN_RIGHT: SetHeading(heading - s); moves = false; break;
        case CPS_MOVE_DOWN:
            p.y = static_cast<float>(p.y - v);
            if (p.y < kLowestEye) p.y = kLowestEye;
            break;
        case CPS_MOVE_UP: p.y = static_cast<float>(p.y + v); break;
        case CPS_GO_FRONT: p = MoveForward(d); break;
        case CPS_GO_BACK: p = MoveBackward(d); break;
        case CPS_SHIFT_LEFT: p = SlideLeft(d); break;
        case CPS_SHIFT_RIGHT: p = SlideRight(d); break;
        default: moves = false; break;
    }
    if (moves) {
        if (m_player.WallCollisionOn())
            SetViewerPosition(m_player.CollideMove(old, p));
        else
            SetViewerPosition(p);
    }
    Render();
}

bool Navigator::StartPath() {
    if (m_path == nullptr || m_path->IsEmpty()) return false;
    // A forward walk starts at the head, a backward one at the tail.
    BrowseView view;
    const bool placed =
        m_path->IsForward() ? m_path->GetHeadPosition(view) : m_path->GetTailPosition(view);
    if (placed) {
        SetViewerPosition({view.position.x, view.position.y, view.position.z});
        SetHeading(view.heading);
        SetPitch(view.pitch);
    }
    Render();
    if (m_path->IsForward())
        m_path->MoveFirst();
    else
        m_path->MoveLast();
    return true;
}

bool Navigator::StepPath(bool forward) {
    if (m_path == nullptr || !m_path->HasCurrent()) return false;
    const NavCommand code = forward ? m_path->NextCommand() : m_path->PreviousCommand();
    if (code == CPS_TIME_STAMP) {
        m_player.StopPlayTimer();
        m_host.BeginWaitCursor();
        if (const std::int32_t status = m_engine.SmoothFrame(smoothPasses); status != 0)
            m_host.ShowMessage(std::string(render::ErrorText(status)) + kSmoothingAdvice);
        m_host.EndWaitCursor();
        m_player.PauseThenResume(PauseMilliseconds(m_player.PauseIndex()));
    } else if (code == CPS_SHIFT_PRESSED) {
        // A recorded Shift toggles between fine and normal steps.
        if (modifierBits == kShiftBit)
            KeyUp(CPS_SHIFT_PRESSED);
        else
            KeyDown(CPS_SHIFT_PRESSED);
    } else {
        KeyDown(code);
    }
    return true;
}

}  // namespace roamer::nav
