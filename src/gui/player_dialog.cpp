#include "gui/player_dialog.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QIcon>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <QUrl>

#include "app/player_app.h"
#include "gui/dialogs/about_box.h"
#include "gui/dialogs/help_window.h"
#include "gui/dialogs/options_dialog.h"
#include "gui/dialogs/welcome_dialog.h"
#include "gui/key_codes.h"
#include "gui/qt_player_host.h"
#include "gui/video_export.h"

namespace roamer::gui {
namespace {

using Panel = app::ControlPanel;

constexpr int kWelcomeIntervalMs = 10000;
// The face below the pictures, where the status texts stand.
const QColor kStatusFace(0x23, 0x27, 0x2c);
const QColor kStatusText(0xc9, 0xe4, 0xd6);

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

PlayerDialog::PlayerDialog(app::PlayerApp& app, QtPlayerHost& host, const QString& manualFolder)
    : QDialog(nullptr), m_app(app), m_host(host), m_manualFolder(manualFolder),
      m_layout(PanelUnits::ForPanelFont()) {
    setWindowTitle(QStringLiteral("Roamer"));
    setWindowIcon(QIcon(QStringLiteral(":/art/roamer_icon.svg")));
    setFont(PanelUnits::PanelFont());
    setFocusPolicy(Qt::StrongFocus);
    // The state at start-up, before anything is opened.
    m_app.state = app::PS_NONE;
    m_app.Panel().SetStatus(app::PS_NONE, "", m_app.loop);
    m_app.Panel().ShowDesignCounter(0, 0);
    m_app.Panel().ShowPassCounter(0, m_app.settings.repeatCount);
    // Laid out once with the title bar, then without: the player starts bare.
    LayoutPanel();
    m_captionShown = false;
    LayoutPanel();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().topLeft());
}

PlayerDialog::~PlayerDialog() = default;

void PlayerDialog::LayoutPanel() {
    const QSize size = m_panelIndex == kBasicPanel ? m_layout.BasicPanelSize()
                                                   : m_layout.PanelSize();
    const Qt::WindowFlags bare = Qt::Window | Qt::FramelessWindowHint;
    const Qt::WindowFlags titled = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    const Qt::WindowFlags flags = m_captionShown ? titled : bare;
    if (windowFlags() != flags) {
        const QPoint at = pos();
        const bool shown = isVisible();
        setWindowFlags(flags);
        move(at);
        if (shown) show();
    }
    setFixedSize(size);
}

void PlayerDialog::SetPanel(int panelIndex) {
    if (panelIndex == m_panelIndex) return;
    m_panelIndex = panelIndex;
    LayoutPanel();
}

void PlayerDialog::ToggleTitleBar() {
    m_captionShown = !m_captionShown;
    LayoutPanel();
}

void PlayerDialog::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), kStatusFace);
    m_art.DrawBackground(painter, m_layout.BackgroundRect());
    m_art.DrawLoopToggle(painter, m_layout.LoopToggle(), m_app.loop);
    const Panel& panel = m_app.Panel();
    for (int i = 0; i < PanelLayout::kButtonCount; ++i) {
        const auto button = static_cast<Panel::Button>(i);
        m_art.DrawButton(painter, m_layout.Button(i), button, panel.ButtonImage(button));
    }
    if (m_panelIndex == kAdvancedPanel) DrawStatusTexts(painter);
}

void PlayerDialog::DrawStatusTexts(QPainter& painter) {
    const Panel& panel = m_app.Panel();
    painter.setPen(kStatusText);
    painter.setFont(PanelUnits::PanelFont());
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    painter.drawText(m_layout.DesignCounter(), flags, FromUtf8(panel.DesignCounterText()));
    painter.drawText(m_layout.PassCounter(), flags, FromUtf8(panel.PassCounterText()));
    painter.drawText(m_layout.StateText(), flags, FromUtf8(panel.StateText()));
}

bool PlayerDialog::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QPoint p = help->pos();
        QString tip;
        QRect area;
        if (m_layout.InLoopToggle(p)) {
            tip = PanelLayout::LoopTip();
            area = m_layout.LoopToggle();
        } else if (const int button = m_layout.HitTest(p); button >= 0) {
            tip = PanelLayout::ButtonTip(button);
            area = m_layout.Button(button);
        }
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this, area);
        }
        return true;
    }
    return QDialog::event(event);
}

void PlayerDialog::StartDrag(QPoint globalPoint) {
    m_dragging = true;
    m_dragStart = globalPoint;
    m_dragWindowStart = pos();
}

void PlayerDialog::DragTo(QPoint globalPoint) {
    if (globalPoint != m_dragStart) move(m_dragWindowStart + (globalPoint - m_dragStart));
}

void PlayerDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    if (m_layout.InLoopToggle(p)) {
        m_app.ToggleLoop();
        update();
        return;
    }
    const int button = m_layout.HitTest(p);
    if (button >= 0 && m_app.Panel().IsEnabled(static_cast<Panel::Button>(button))) {
        m_pressedButton = button;
        m_app.Panel().SetButtonImage(static_cast<Panel::Button>(button), Panel::kPressed);
        update(m_layout.Button(button));
        return;
    }
    m_pressedButton = -1;
    // Without a title bar, the panel's face moves the window.
    if (!m_captionShown && rect().contains(p)) StartDrag(event->globalPosition().toPoint());
}

void PlayerDialog::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) DragTo(event->globalPosition().toPoint());
}

void PlayerDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (m_dragging) {
        DragTo(event->globalPosition().toPoint());
        m_dragging = false;
        return;
    }
    if (m_pressedButton < 0) return;
    const int button = m_pressedButton;
    m_pressedButton = -1;
    // The command runs wherever the pointer is released.
    RunCommand(button);
}

void PlayerDialog::RunCommand(int button) {
    Panel& panel = m_app.Panel();
    const auto which = static_cast<Panel::Button>(button);
    switch (which) {
        case Panel::kPlay: m_app.PressPlay(); break;
        case Panel::kStop: m_app.Stop(); break;
        case Panel::kPause: m_app.Pause(); break;
        case Panel::kPrevious: m_app.PreviousDesign(); break;
        case Panel::kNext: m_app.NextDesign(); break;
        case Panel::kOpenDesigns:
            m_app.PressOpenDesigns();
            AfterListOpened();
            break;
        case Panel::kOpenPlayList:
            m_app.PressOpenPlayList();
            AfterListOpened();
            break;
        case Panel::kOptions: ShowOptions(); break;
        case Panel::kClose:
            panel.SetButtonImage(which, Panel::kNormal);
            accept();
            return;
        default: break;
    }
    // Play, stop and pause take their pictures from the state; the others stand up again.
    if (panel.ButtonImage(which) == Panel::kPressed) {
        if (which <= Panel::kPause) panel.UpdateButtons(m_app.state);
        if (panel.ButtonImage(which) == Panel::kPressed) panel.SetButtonImage(which, Panel::kNormal);
    }
    m_host.PanelChanged();
}

void PlayerDialog::OpenFiles(const std::vector<std::string>& files, bool play) {
    const bool opened = m_app.OpenFiles(files);
    AfterListOpened();
    if (opened && play) m_app.PressPlay();
    m_host.PanelChanged();
}

void PlayerDialog::AfterListOpened() {
    // The welcome dialog stays until the first list or selection is opened.
    if (m_listOpened || m_app.designCount == 0) return;
    m_listOpened = true;
    if (m_welcome) m_welcome->hide();
    m_host.StopTimer(app::PlayerApp::kWelcomeTimer);
}

void PlayerDialog::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) ToggleTitleBar();
}

void PlayerDialog::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* basic = menu.addAction(QStringLiteral("基本面板"));
    QAction* advanced = menu.addAction(QStringLiteral("進階面板"));
    // One of the two is always the panel shown: an exclusive pair draws as radio items.
    QActionGroup panels(&menu);
    panels.setExclusive(true);
    for (QAction* item : {basic, advanced}) {
        item->setCheckable(true);
        panels.addAction(item);
    }
    basic->setChecked(m_panelIndex == kBasicPanel);
    advanced->setChecked(m_panelIndex == kAdvancedPanel);
    menu.addSeparator();
    QAction* welcome = menu.addAction(QStringLiteral("產品訊息"));
    QAction* help = menu.addAction(QStringLiteral("說明(&H)\tF1"));
    menu.addSeparator();
    QAction* video = menu.addAction(QStringLiteral("匯出影片..."));
    video->setEnabled(m_app.DesignShown());
    menu.addSeparator();
    QAction* about = menu.addAction(QStringLiteral("關於Roamer(&A)..."));
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == basic) SetPanel(kBasicPanel);
    else if (chosen == advanced) SetPanel(kAdvancedPanel);
    else if (chosen == welcome) ShowWelcome();
    else if (chosen == help) ShowHelp();
    else if (chosen == video) ExportDesignVideo(m_app, m_host, this);
    else if (chosen == about) ShowAbout();
}

void PlayerDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        ShowHelp();
        return;
    }
    // Escape does not close the player; like every other key it goes to the navigator.
    m_app.Navigator().KeyDown(VirtualKeyOf(event->key()));
    m_host.PanelChanged();
}

void PlayerDialog::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) return;
    m_app.Navigator().KeyUp(VirtualKeyOf(event->key()));
}

void PlayerDialog::ShowOptions() {
    app::OptionsDialogModel model = m_app.BeginOptions();
    OptionsDialog dialog(model, this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    m_app.EndOptions(model, accepted);
}

void PlayerDialog::ShowWelcome() {
    if (!m_welcome) {
        const QUrl site = QUrl::fromLocalFile(m_manualFolder + QStringLiteral("/index.html"));
        m_welcome = new WelcomeDialog(site, this);
        // The player's welcome timer turns the pictures.
        m_welcome->StopRotation();
        m_host.SetWelcomeTick([this] {
            if (m_welcome) m_welcome->NextImage();
        });
        const QRect panel = frameGeometry();
        m_welcome->move(panel.right() + 8, panel.top());
    }
    m_welcome->show();
    m_welcome->raise();
    m_host.StartTimer(app::PlayerApp::kWelcomeTimer, kWelcomeIntervalMs);
}

void PlayerDialog::ShowHelp() {
    if (!m_help) {
        m_help = new HelpWindow(m_manualFolder, this);
        m_help->setWindowFlag(Qt::Window);
    }
    m_help->ShowContents();
}

void PlayerDialog::ShowAbout() { ShowAboutBox(this); }

void PlayerDialog::done(int result) {
    if (!m_closing) {
        m_closing = true;
        // The save question, then the 3D frame goes and both timers stop.
        m_app.Close();
        m_host.DestroyFrameWindow();
        m_host.StopTimer(app::PlayerApp::kWelcomeTimer);
        if (m_welcome) m_welcome->close();
        if (m_help) m_help->close();
    }
    QDialog::done(result);
}

}  // namespace roamer::gui
