#pragma once

#include "platform/rm/render_surface.h"

class QOpenGLWidget;

namespace roamer::gui {

// The 3D view as the render engine's surface: the engine's devices draw in the view's OpenGL
// context. Every time the engine takes the context to draw, the view is asked to present the
// device's front buffer at its next paint.
class ViewSurface final : public rm::RenderSurface {
public:
    explicit ViewSurface(QOpenGLWidget& view) : m_view(view) {}

    // Device pixels per logical pixel of the engine's devices in this view.
    static double PixelScale(const QOpenGLWidget& view);

    int GetDepth() const override { return 32; }
    bool GetDisplayMode(rm::DisplayMode* mode) const override;
    bool MakeCurrent() override;
    std::vector<rm::DriverDescription> EnumerateDrivers() override;
    rm::Status CreateDevice(const rm::DriverDescription& driver, int width, int height,
                            std::unique_ptr<rm::Device>* device) override;

private:
    QOpenGLWidget& m_view;
};

}  // namespace roamer::gui
