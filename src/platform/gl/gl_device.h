#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rm/device.h"
#include "platform/rm/status.h"

namespace roamer::gl {

class SceneRenderer;

// Draws retained-mode scenes with OpenGL 3.3 core in whatever context is current when it is
// made; it never creates windows. It draws into a framebuffer object of its own (the back
// buffer); Update copies that into the front buffer, which the player shows and the tools read.
// Every call must run with the same context current.
class GlDevice final : public rm::Device {
public:
    ~GlDevice() override;

    // D3DRMERR_BADDEVICE without a current OpenGL 3.3 core context, D3DRMERR_BADVALUE for a
    // size the context cannot hold.
    // The size is in logical pixels; the buffers have pixelScale device pixels for each (1 to 4).
    static rm::Status Create(int width, int height, std::unique_ptr<GlDevice>* device,
                             double pixelScale = 1.0);

    int GetWidth() const override { return m_width; }
    int GetHeight() const override { return m_height; }
    double GetPixelScale() const override { return m_scale; }
    rm::Status Clear(const rm::Viewport& viewport) override;
    rm::Status Render(const rm::Viewport& viewport, const rm::Frame& scene) override;
    rm::Status Update() override;
    rm::Status ReadBackBuffer(rm::Picture* picture) override;
    rm::Status WriteBackBuffer(const rm::Picture& picture) override;

    // The picture last presented by Update.
    rm::Status ReadFrontBuffer(rm::Picture* picture);
    // Copies the front buffer into another framebuffer (a window's), scaled to its size, and
    // leaves that framebuffer bound, as the window toolkit expects after its paint.
    rm::Status PresentTo(unsigned framebuffer, int width, int height);
    // Fills a window's framebuffer with black: a view without a device shows nothing.
    static rm::Status ClearWindow(unsigned framebuffer, int width, int height);

private:
    GlDevice(int width, int height, double scale);
    struct PixelRectangle {
        int x, y, width, height;
    };
    // A viewport's rectangle (logical pixels, rows from the top) in device pixels, rows from
    // the bottom as OpenGL counts them.
    PixelRectangle DeviceRectangle(const rm::Viewport& viewport) const;
    bool CreateBuffers();
    rm::Status ReadFramebuffer(unsigned framebuffer, rm::Picture* picture);

    int m_width;   // logical
    int m_height;
    double m_scale;
    int m_pixelWidth;  // of the buffers
    int m_pixelHeight;
    unsigned m_backFramebuffer = 0;
    unsigned m_backColor = 0;
    unsigned m_depthStencil = 0;
    unsigned m_frontFramebuffer = 0;
    unsigned m_frontColor = 0;
    std::unique_ptr<SceneRenderer> m_renderer;
    std::vector<std::uint8_t> m_rowScratch;  // one row, for turning pictures over
};

}  // namespace roamer::gl
