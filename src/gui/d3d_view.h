#pragma once

#include <QOpenGLWidget>

#include <memory>

#include "gui/view_surface.h"

namespace roamer::app {
class PlayerApp;
}

namespace roamer::gui {

// The view the room is drawn in: an OpenGL 3.3 core widget whose context the render engine's
// device draws in. Its paint only presents the device's front buffer into the widget's
// framebuffer (on the GPU, nothing is read back); its size, keys, mouse and wheel go to the
// player as the Windows messages of old would have.
class D3DView final : public QOpenGLWidget {
    Q_OBJECT

public:
    D3DView(app::PlayerApp& app, QWidget* parent);
    ~D3DView() override;

    rm::RenderSurface& Surface() { return m_surface; }
    // The OpenGL 3.3 core format the view asks for.
    static QSurfaceFormat Format();

signals:
    void doubleClicked();
    void helpRequested();

protected:
    void initializeGL() override {}
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    app::PlayerApp& m_app;
    ViewSurface m_surface;
    int m_wheelRest = 0;  // wheel motion short of a whole notch
    bool m_remakePending = false;  // a new device for a new pixel ratio is on its way
};

}  // namespace roamer::gui
