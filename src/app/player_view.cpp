// What the 3D view does with its size, keys, characters, mouse and wheel. Keys arrive as
// Windows virtual-key codes, mouse positions in view pixels, the wheel as a signed delta.
#include <cmath>
#include <string>

#include "app/floor_reflections.h"
#include "app/player_app.h"
#include "model/room_design.h"
#include "render/error_text.h"

namespace roamer::app {
namespace {

constexpr double kPixelsPerUnit = 500.0;
constexpr double kDegree = 0.017453292;
constexpr double kDegreesPerRadian = 57.295780490442965;
constexpr std::int32_t kShiftBit = 1;
constexpr std::int32_t kControlBit = 2;
constexpr std::int32_t kSpaceBit = 4;

// Whole steps of 10 pixels, truncated toward zero, as a count.
int Steps(int offset) { return std::abs(offset / 10); }

}  // namespace

void PlayerApp::SetProjection(int width, int height) {
    m_engine->SetUniformScaling(false);
    const double w = 0.5 * width / kPixelsPerUnit;
    const double h = 0.5 * height / kPixelsPerUnit;
    m_engine->SetViewPlane(static_cast<float>(-w), static_cast<float>(w), static_cast<float>(-h),
                           static_cast<float>(h));
}

void PlayerApp::SetTextureFiltering() {
    hardwareDriver = m_engine->IsHardwareDriver();
    m_engine->SetTextureQuality(hardwareDriver ? rm::D3DRMTEXTURE_LINEAR : rm::D3DRMTEXTURE_NEAREST);
}

void PlayerApp::OnViewSize(int width, int height) {
    if (static_cast<long long>(width) * height < 1 || m_surface == nullptr) return;
    if (m_firstSize) {
        const std::int32_t status = m_engine->Init(m_surface, width, height, true);
        if (status != 0) {
            m_host.ShowMessage(std::string(render::ErrorText(status)) + "\n\n初始化失敗，關閉Roamer");
            return;
        }
        SetProjection(width, height);
        m_engine->SetDither(true);
        m_engine->SetQuality(rm::D3DRMRENDER_GOURAUD);
        const rm::Vector3& eye = m_navigator->viewerPosition;
        m_engine->SetParentCameraPosition(eye.x, eye.y, eye.z);
        SetTextureFiltering();
        m_engine->Render();
        m_firstSize = false;
        // The design's objects hang in the scene, which exists from now on.
        rm::Frame* scene = nullptr;
        m_engine->GetScene(&scene);
        m_session = std::make_unique<DesignSession>(*m_engine->GetD3DRM(), scene, scene, m_host,
                                                    *this, workFolder);
        m_session->SetProgress(&m_engine->GetProgress());
        m_selectionBox = std::make_unique<nav::SelectionBox>(*m_engine);
        return;
    }
    const std::int32_t status = m_engine->Resize(width, height);
    if (status != 0) {
        m_host.ShowMessage(std::string(render::ErrorText(status)) +
                           "\n\n將視窗還原至原來的大小 或\n關閉Roamer");
        return;
    }
    SetProjection(width, height);
    SetTextureFiltering();
    m_engine->Render();
}

void PlayerApp::OnViewPaint() {
    if (!m_firstSize) m_engine->Render();
}

void PlayerApp::OnViewDestroy() {
    // The design's objects live in the engine's scene; they go with it.
    modified = false;
    m_selected = nullptr;
    m_selectionBox.reset();
    m_session.reset();
    m_engine->Cleanup();
}

void PlayerApp::OnFrameClose() {
    if (state == PS_PLAYING) Stop();
}

void PlayerApp::OnKeyDown(std::int32_t key) {
    Stop();
    m_navigator->KeyDown(key);
}

void PlayerApp::OnKeyUp(std::int32_t key) { m_navigator->KeyUp(key); }

void PlayerApp::OnChar(char32_t c) {
    switch (c) {
        case U'N': case U'n': NextDesign(); break;
        case U'P': case U'p': Play(); break;
        case U'S': case U's': Stop(); break;
        case U'U': case U'u': Pause(); break;
        case U'V': case U'v': PreviousDesign(); break;
        default: break;
    }
}

void PlayerApp::OnLeftButtonDown(int x, int y) {
    Stop();
    m_leftDown = true;
    m_leftPress = {x, y};
    if (settings.editMode) {
        mouseDrive = false;
        std::vector<rm::PickHit> hits;
        m_engine->Pick(x, y, &hits);
        model::CFurniture* picked = nullptr;
        if (!hits.empty()) picked = FurnitureShowing(hits.front().visual.get());
        ClearSelection();
        if (picked != nullptr) SelectObject(picked);
        m_engine->Render();
        return;
    }
    mouseDrive = true;
    StartPlayTimer();
}

void PlayerApp::OnLeftButtonUp() {
    m_leftDown = false;
    m_leftPress = {-1, -1};
    if (!settings.editMode) EndMouseDrive();
}

void PlayerApp::OnRightButtonDown(int x, int y) {
    Stop();
    m_rightDown = true;
    m_rightPress = {x, y};
    if (settings.editMode) {
        mouseDrive = false;
        return;
    }
    mouseDrive = true;
    StartPlayTimer();
}

void PlayerApp::OnRightButtonUp() {
    m_rightDown = false;
    m_rightPress = {-1, -1};
    if (!settings.editMode) EndMouseDrive();
}

void PlayerApp::EndMouseDrive() {
    mouseOffsetX = 0;
    mouseOffsetY = 0;
    mouseDrive = false;
    StopPlayTimer();
}

void PlayerApp::OnMouseMove(int x, int y) {
    if (!settings.editMode) {
        // The press point stays: the offsets grow with the distance from it.
        const ViewPoint* press = m_leftDown ? &m_leftPress : m_rightDown ? &m_rightPress : nullptr;
        if (press == nullptr || press->x == -1 || press->y == -1) return;
        mouseOffsetX = x - press->x;
        mouseOffsetY = y - press->y;
        return;
    }
    if (m_leftDown && m_selected != nullptr) EditDrag(x, y);
}

void PlayerApp::MouseDriveStep() {
    nav::Navigator& nav = *m_navigator;
    const int v = mouseOffsetY;
    const int h = mouseOffsetX;
    if (!m_leftDown) {
        if (m_rightDown) {
            const double tilt = Steps(v) * kDegree;
            nav.SetPitch(v < 1 ? nav.pitch + tilt : nav.pitch - tilt);
        }
        m_engine->Render();
        return;
    }
    const rm::Vector3 old = nav.GetViewerPosition();
    rm::Vector3 next;
    if ((nav.modifierBits & kControlBit) == 0) {
        next = v < 0 ? nav.MoveForward(Steps(v)) : nav.MoveBackward(Steps(v));
        nav.SetViewerPosition(settings.wallCollision ? CollideMove(old, next) : next);
        const double turn = Steps(h) * kDegree;
        nav.SetHeading(h < 1 ? nav.heading + turn : nav.heading - turn);
    } else {
        rm::Vector3 eye = nav.viewerPosition;
        if (v >= 0) {
            eye.y = static_cast<float>(static_cast<double>(eye.y) - Steps(v));
            if (eye.y < nav::Navigator::kLowestEye) eye.y = nav::Navigator::kLowestEye;
        } else {
            eye.y = static_cast<float>(static_cast<double>(eye.y) + Steps(v));
        }
        nav.SetViewerPosition(eye);
        next = h >= 0 ? nav.SlideRight(Steps(h)) : nav.SlideLeft(Steps(h));
        nav.SetViewerPosition(settings.wallCollision ? CollideMove(old, next) : next);
    }
    m_engine->Render();
}

void PlayerApp::OnMouseWheel(int delta) {
    const bool up = delta > 0;
    if (settings.editMode) {
        if (m_selected == nullptr) return;
        nav::Navigator& nav = *m_navigator;
        if (nav.modifierBits & kControlBit) {
            m_selectedAngle += (up ? 1 : -1) * nav::Navigator::kTurnStep * nav.turnFactor;
            TurnSelection(m_selectedAngle);
        } else if (nav.modifierBits & kSpaceBit) {
            TurnSelection(FortyFiveDegreeStep(m_selected->GetAngleXZ(), up));
        } else {
            rm::Vector3 p = m_selected->GetPosition();
            p.y = static_cast<float>(p.y + (up ? 1 : -1) * nav.stepFactor);
            MoveSelection(p);
        }
        modified = true;
        m_engine->Render();
        return;
    }
    nav::Navigator& nav = *m_navigator;
    rm::Vector3 eye = nav.viewerPosition;
    eye.y = static_cast<float>(eye.y + (up ? 2.0 : -2.0) * nav.riseStep);
    if (!up && eye.y < nav::Navigator::kLowestEye) eye.y = nav::Navigator::kLowestEye;
    nav.SetViewerPosition(eye);
    m_engine->Render();
}

// One 45-degree step from `angle` (radians) to the next multiple of 45 degrees.
double PlayerApp::FortyFiveDegreeStep(double angle, bool right) {
    const auto degrees = static_cast<long>(angle * kDegreesPerRadian);
    const long q = degrees / 45;
    const long r = degrees % 45;
    long next = 0;
    if (!right) {
        next = (r != 0 ? q : q - 1) * 45;
        if (next < 0) next += 360;
    } else {
        next = (q + 1) * 45;
        if (next >= 360) next -= 360;
    }
    return static_cast<double>(next) / kDegreesPerRadian;
}

// The direction of a screen motion in degrees, counter-clockwise from +x, in [0, 360).
double PlayerApp::MotionDirection(int dx, int dy) {
    if (dx == 0 && dy == 0) return 0.0;
    if (dx == 0) return dy > 0 ? 90.0 : 270.0;
    if (dy == 0) return dx > 0 ? 0.0 : 180.0;
    const double ax = std::abs(dx), ay = std::abs(dy);
    const double small = std::atan(std::min(ax, ay) / std::max(ax, ay)) * 90.0 / 1.5707963;
    const double inQuadrant = ax >= ay ? small : 90.0 - small;
    if (dx > 0 && dy > 0) return inQuadrant;
    if (dx < 0 && dy > 0) return 180.0 - inQuadrant;
    if (dx < 0 && dy < 0) return 180.0 + inQuadrant;
    return 360.0 - inQuadrant;
}

void PlayerApp::FloorOffsets(double length, double m, int& du, int& dv) {
    du = dv = 0;
    if (m < 0.0) return;
    if (m >= 360.0) m -= 360.0;
    const auto whole = static_cast<int>(length);
    if (m == 0.0) { du = whole; return; }
    if (m == 90.0) { dv = whole; return; }
    if (m == 180.0) { du = -whole; return; }
    if (m == 270.0) { dv = -whole; return; }
    const double c = length * std::cos(m * kDegree);
    const double s = length * std::sin(m * kDegree);
    du = static_cast<int>(std::fabs(c) + 0.5) * (c < 0 ? -1 : 1);
    dv = static_cast<int>(std::fabs(s) + 0.5) * (s < 0 ? -1 : 1);
}

void PlayerApp::EditDrag(int x, int y) {
    nav::Navigator& nav = *m_navigator;
    const std::int32_t bits = nav.modifierBits;
    if (bits & kShiftBit) {
        const int d = (m_leftPress.y - y) / 2;
        if (d == 0) return;
        m_selectedPosition.y = static_cast<float>(m_selectedPosition.y + d * nav.stepFactor);
        MoveSelection(m_selectedPosition);
    } else if (bits & kControlBit) {
        const double a = static_cast<double>(m_leftPress.x - x) / m_engine->GetWidth() *
                         6.2831852 * nav.turnFactor;
        TurnSelection(m_selectedAngle - a);
    } else if (bits & kSpaceBit) {
        const int s = (x - m_leftPress.x) / 10;
        if (s == 0) return;
        TurnSelection(FortyFiveDegreeStep(m_selected->GetAngleXZ(), s >= 1));
    } else {
        if (x == m_leftPress.x && y == m_leftPress.y) return;
        const int dx = x - m_leftPress.x;
        const int dy = -(y - m_leftPress.y);
        const double m = MotionDirection(dx, dy) + nav.heading * 180.0 / 3.1415926;
        int du = 0, dv = 0;
        FloorOffsets(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy), m, du,
                     dv);
        if (du == 0 && dv == 0) return;
        m_selectedPosition.x = static_cast<float>(static_cast<double>(m_selectedPosition.x) + du);
        m_selectedPosition.z = static_cast<float>(static_cast<double>(m_selectedPosition.z) + dv);
        MoveSelection(m_selectedPosition);
    }
    m_leftPress = {x, y};
    modified = true;
    m_engine->Render();
}

void PlayerApp::MoveSelection(const rm::Vector3& position) {
    m_selectedPosition = position;
    m_selected->SetPosition(position);
    FollowTwin(*m_selected);
}

void PlayerApp::TurnSelection(double angle) {
    m_selected->SetAngleXZ(angle);
    m_selectedAngle = m_selected->GetAngleXZ();
    FollowTwin(*m_selected);
}

void PlayerApp::SelectObject(model::CFurniture* furniture) {
    m_selected = furniture;
    m_selectedPosition = furniture->GetPosition();
    m_selectedAngle = furniture->GetAngleXZ();
    m_selectedTilt = furniture->GetAngleYZ();
    rm::Box box;
    if (furniture->GetMesh()) furniture->GetMesh()->GetBox(&box);
    if (m_selectionBox) m_selectionBox->ShowBox(furniture->GetModelFrame(), box, 2);
}

void PlayerApp::ClearSelection() {
    m_selected = nullptr;
    if (m_selectionBox) m_selectionBox->HideBox();
}

}  // namespace roamer::app
