#include "gui/d3d_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>

#include <cmath>

#include "app/player_app.h"
#include "gui/key_codes.h"
#include "platform/gl/gl_device.h"

namespace roamer::gui {
namespace {

constexpr int kWheelNotch = 120;

int PhysicalPixels(int logical, qreal ratio) {
    return static_cast<int>(std::lround(logical * ratio));
}

}  // namespace

D3DView::D3DView(app::PlayerApp& app, QWidget* parent)
    : QOpenGLWidget(parent), m_app(app), m_surface(*this) {
    setFormat(Format());
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

D3DView::~D3DView() {
    // The engine's device and the design's objects live in this view's context.
    makeCurrent();
    m_app.OnViewDestroy();
    doneCurrent();
}

QSurfaceFormat D3DView::Format() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    return format;
}

void D3DView::resizeGL(int /*width*/, int /*height*/) {
    // Sizes are logical pixels: 500 of them a unit on the front plane at any pixel ratio.
    m_app.OnViewSize(width(), height());
}

void D3DView::paintGL() {
    const qreal ratio = devicePixelRatioF();
    const int w = PhysicalPixels(width(), ratio);
    const int h = PhysicalPixels(height(), ratio);
    auto* device = dynamic_cast<gl::GlDevice*>(m_app.Engine().GetDevice());
    if (device == nullptr || !m_app.Engine().IsInitialized() ||
        rm::Failed(device->PresentTo(defaultFramebufferObject(), w, h)))
        gl::GlDevice::ClearWindow(defaultFramebufferObject(), w, h);
    // Moved to a screen of another density: the device is made again for its pixels, after
    // this paint (until then the old picture is scaled).
    if (device != nullptr && device->GetPixelScale() != ViewSurface::PixelScale(*this) &&
        !m_remakePending) {
        m_remakePending = true;
        QTimer::singleShot(0, this, [this] {
            m_remakePending = false;
            m_app.OnViewSize(width(), height());
        });
    }
}

void D3DView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        emit helpRequested();
        return;
    }
    m_app.OnKeyDown(VirtualKeyOf(event->key()));
    for (const char32_t c : event->text().toUcs4()) m_app.OnChar(c);
}

void D3DView::keyReleaseEvent(QKeyEvent* event) {
    // Windows sends no releases while a key repeats: a held Shift or Space stays held.
    if (event->isAutoRepeat()) return;
    m_app.OnKeyUp(VirtualKeyOf(event->key()));
}

void D3DView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) m_app.OnLeftButtonDown(p.x(), p.y());
    else if (event->button() == Qt::RightButton) m_app.OnRightButtonDown(p.x(), p.y());
}

void D3DView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) m_app.OnLeftButtonUp();
    else if (event->button() == Qt::RightButton) m_app.OnRightButtonUp();
}

void D3DView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    m_app.OnMouseMove(p.x(), p.y());
}

void D3DView::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is not a press of its own, as on Windows.
    if (event->button() == Qt::LeftButton) emit doubleClicked();
}

void D3DView::wheelEvent(QWheelEvent* event) {
    // Whole notches of 120, positive away from the user, as Windows counts them; fine-grained
    // wheels and touchpads add up to notches.
    m_wheelRest += event->angleDelta().y();
    while (std::abs(m_wheelRest) >= kWheelNotch) {
        const int notch = m_wheelRest > 0 ? kWheelNotch : -kWheelNotch;
        m_wheelRest -= notch;
        m_app.OnMouseWheel(notch);
    }
    event->accept();
}

}  // namespace roamer::gui
