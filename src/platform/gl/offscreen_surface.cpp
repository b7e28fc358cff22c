#include "platform/gl/offscreen_surface.h"

#include "platform/gl/driver_info.h"
#include "platform/gl/gl_device.h"

namespace roamer::gl {

rm::Status OffscreenSurface::Create(int width, int height,
                                    std::unique_ptr<OffscreenSurface>* surface) {
    if (surface == nullptr) return rm::D3DRMERR_BADVALUE;
    std::unique_ptr<OffscreenSurface> made(new OffscreenSurface);
    if (const rm::Status s = OffscreenContext::Create(&made->m_context); rm::Failed(s)) return s;
    made->m_width = width;
    made->m_height = height;
    *surface = std::move(made);
    return rm::D3DRM_OK;
}

bool OffscreenSurface::GetDisplayMode(rm::DisplayMode* mode) const {
    if (mode == nullptr) return false;
    *mode = {m_width, m_height, GetDepth()};
    return true;
}

bool OffscreenSurface::MakeCurrent() { return rm::Succeeded(m_context->MakeCurrent()); }

std::vector<rm::DriverDescription> OffscreenSurface::EnumerateDrivers() {
    if (!MakeCurrent()) return {};
    return DescribeDrivers();
}

rm::Status OffscreenSurface::CreateDevice(const rm::DriverDescription& /*driver*/, int width,
                                          int height, std::unique_ptr<rm::Device>* device) {
    if (device == nullptr) return rm::D3DRMERR_BADVALUE;
    if (!MakeCurrent()) return rm::D3DRMERR_BADDEVICE;
    std::unique_ptr<GlDevice> made;
    if (const rm::Status s = GlDevice::Create(width, height, &made); rm::Failed(s)) return s;
    *device = std::move(made);
    return rm::D3DRM_OK;
}

}  // namespace roamer::gl
