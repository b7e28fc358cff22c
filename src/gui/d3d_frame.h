#pragma once

#include <QWidget>

namespace roamer::app {
class PlayerApp;
}

namespace roamer::gui {

class D3DView;

// The window that shows the room: 640 x 480 at first, centred on the screen, with the 3D view
// filling it and the play status in its title. Closing it only hides it (and stops playback);
// a double click in it hides or shows its title bar, keeping the view's size.
class D3DFrame final : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize kStartSize{640, 480};

    D3DFrame(app::PlayerApp& app, QWidget* owner);

    D3DView& View() { return *m_view; }
    void SetTitleStatus(const QString& title) { setWindowTitle(title); }
    void ToggleTitleBar();
    bool TitleBarShown() const { return m_captionShown; }
    // Centred on the screen of `owner` (or the primary one), shown and brought forward.
    void ShowCentred();

signals:
    void helpRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    app::PlayerApp& m_app;
    D3DView* m_view;  // a child, owned by this window
    bool m_captionShown = true;
};

}  // namespace roamer::gui
