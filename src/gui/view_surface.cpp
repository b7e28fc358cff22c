#include "gui/view_surface.h"

#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <QScreen>

#include <algorithm>

#include "platform/gl/driver_info.h"
#include "platform/gl/gl_device.h"

namespace roamer::gui {

double ViewSurface::PixelScale(const QOpenGLWidget& view) {
    return std::clamp(view.devicePixelRatioF(), 1.0, 4.0);
}

bool ViewSurface::GetDisplayMode(rm::DisplayMode* mode) const {
    const QScreen* screen = m_view.screen();
    if (mode == nullptr || screen == nullptr) return false;
    *mode = {screen->size().width(), screen->size().height(), GetDepth()};
    return true;
}

bool ViewSurface::MakeCurrent() {
    if (m_view.context() == nullptr || !m_view.context()->isValid()) return false;
    m_view.makeCurrent();
    // The engine draws now: the next paint shows what it drew.
    m_view.update();
    return QOpenGLContext::currentContext() == m_view.context();
}

std::vector<rm::DriverDescription> ViewSurface::EnumerateDrivers() {
    if (!MakeCurrent()) return {};
    return gl::DescribeDrivers();
}

rm::Status ViewSurface::CreateDevice(const rm::DriverDescription& /*driver*/, int width,
                                     int height, std::unique_ptr<rm::Device>* device) {
    if (device == nullptr) return rm::D3DRMERR_BADVALUE;
    if (!MakeCurrent()) return rm::D3DRMERR_BADDEVICE;
    std::unique_ptr<gl::GlDevice> made;
    // The view's own pixels: a dense screen gets a picture as sharp as it can show.
    if (const rm::Status s = gl::GlDevice::Create(width, height, &made, PixelScale(m_view));
        rm::Failed(s))
        return s;
    *device = std::move(made);
    return rm::D3DRM_OK;
}

}  // namespace roamer::gui
