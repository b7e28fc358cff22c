#pragma once

#include <QDialog>
#include <QPoint>
#include <QPointer>

#include <memory>
#include <string>
#include <vector>

#include "gui/control_panel_art.h"
#include "gui/dialogs/help_window.h"
#include "gui/dialogs/welcome_dialog.h"
#include "gui/panel_layout.h"

namespace roamer::app {
class PlayerApp;
}

namespace roamer::gui {

class QtPlayerHost;

// The player's main window: the control panel drawn from its pictures, with nine buttons, the
// loop toggle and the status texts. It hit-tests the mouse itself, runs each button's command
// on release (wherever the pointer is then), is dragged by its face when it has no title bar,
// and hands keys to the navigator. Closing it offers to save a modified design and ends the
// program.
class PlayerDialog final : public QDialog {
    Q_OBJECT

public:
    enum PanelIndex { kBasicPanel = 0, kAdvancedPanel = 1 };

    PlayerDialog(app::PlayerApp& app, QtPlayerHost& host, const QString& manualFolder);
    ~PlayerDialog() override;

    const PanelLayout& Layout() const { return m_layout; }
    int ShownPanel() const { return m_panelIndex; }
    bool TitleBarShown() const { return m_captionShown; }
    void SetPanel(int panelIndex);
    void ToggleTitleBar();

    void ShowWelcome();
    void ShowHelp();
    void ShowAbout();
    void ShowOptions();
    // Play lists or designs from the command line or a drop, opened as the open buttons do;
    // `play`: then starts playing them, as the play button does.
    void OpenFiles(const std::vector<std::string>& files, bool play = false);
    WelcomeDialog* Welcome() const { return m_welcome; }
    HelpWindow* Help() const { return m_help; }

    // Ends the dialog after the save question; the program ends with it.
    void done(int result) override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void LayoutPanel();
    void RunCommand(int button);
    void AfterListOpened();
    void DrawStatusTexts(QPainter& painter);
    void StartDrag(QPoint globalPoint);
    void DragTo(QPoint globalPoint);

    app::PlayerApp& m_app;
    QtPlayerHost& m_host;
    QString m_manualFolder;
    PanelLayout m_layout;
    ControlPanelArt m_art;
    QPointer<WelcomeDialog> m_welcome;
    QPointer<HelpWindow> m_help;
    int m_panelIndex = kBasicPanel;
    bool m_captionShown = true;
    int m_pressedButton = -1;
    bool m_dragging = false;
    QPoint m_dragStart;        // the pointer where the drag began, on the screen
    QPoint m_dragWindowStart;  // the window's position then
    bool m_listOpened = false;
    bool m_closing = false;
};

}  // namespace roamer::gui
