#pragma once

#include <memory>

#include "platform/gl/offscreen_context.h"
#include "platform/rm/render_surface.h"

namespace roamer::gl {

// A surface without any window or display for the tools and the tests: an offscreen context in
// which the engine's devices draw into framebuffer objects of their own. Its pictures are
// 32-bit; the "display" it reports is the size it was made with.
class OffscreenSurface final : public rm::RenderSurface {
public:
    // D3DRMERR_BADDEVICE when no offscreen context can be had.
    static rm::Status Create(int width, int height, std::unique_ptr<OffscreenSurface>* surface);

    int GetDepth() const override { return 32; }
    bool GetDisplayMode(rm::DisplayMode* mode) const override;
    bool MakeCurrent() override;
    std::vector<rm::DriverDescription> EnumerateDrivers() override;
    rm::Status CreateDevice(const rm::DriverDescription& driver, int width, int height,
                            std::unique_ptr<rm::Device>* device) override;

private:
    OffscreenSurface() = default;

    std::unique_ptr<OffscreenContext> m_context;
    int m_width = 0;
    int m_height = 0;
};

}  // namespace roamer::gl
