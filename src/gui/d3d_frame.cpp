#include "gui/d3d_frame.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QVBoxLayout>

#include "app/player_app.h"
#include "gui/d3d_view.h"

namespace roamer::gui {

D3DFrame::D3DFrame(app::PlayerApp& app, QWidget* owner)
    : QWidget(owner, Qt::Window), m_app(app), m_view(new D3DView(app, this)) {
    setWindowTitle(QStringLiteral("Roamer"));
    setWindowIcon(QIcon(QStringLiteral(":/art/frame_icon.svg")));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);
    resize(kStartSize);
    connect(m_view, &D3DView::doubleClicked, this, &D3DFrame::ToggleTitleBar);
    connect(m_view, &D3DView::helpRequested, this, &D3DFrame::helpRequested);
}

void D3DFrame::ShowCentred() {
    QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen()
                                                : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        QRect placed(QPoint(0, 0), size());
        placed.moveCenter(screen->availableGeometry().center());
        move(placed.topLeft());
    }
    if (!isVisible()) show();
    raise();
    activateWindow();
    m_view->setFocus();
}

void D3DFrame::ToggleTitleBar() {
    m_captionShown = !m_captionShown;
    // Qt sizes a window by its client area: the view keeps its size, the frame changes.
    const QRect client = geometry();
    setWindowFlag(Qt::FramelessWindowHint, !m_captionShown);
    setGeometry(client);
    show();
    m_view->setFocus();
}

void D3DFrame::closeEvent(QCloseEvent* event) {
    // The engine and its device live as long as the player: the window is only hidden.
    event->ignore();
    m_app.OnFrameClose();
    hide();
}

void D3DFrame::mouseDoubleClickEvent(QMouseEvent* /*event*/) { ToggleTitleBar(); }

}  // namespace roamer::gui
