#include "gui/qt_player_host.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QOpenGLContext>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QUrl>

#include <algorithm>

#include "app/player_app.h"
#include "gui/d3d_frame.h"
#include "gui/d3d_view.h"
#include "gui/dialogs/dialog_font.h"
#include "gui/dialogs/message_box.h"
#include "gui/file_filter.h"
#include "gui/load_progress.h"

namespace roamer::gui {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The ordinary pointer over a dialog that asks the user something, even when the player shows
// the wait cursor around it (saving waits around its file dialog).
class NormalCursor {
public:
    explicit NormalCursor(int waitCursors) : m_active(waitCursors > 0) {
        if (m_active) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalCursor() {
        if (m_active) QApplication::restoreOverrideCursor();
    }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;

private:
    bool m_active;
};

}  // namespace

QtPlayerHost::QtPlayerHost() = default;

QtPlayerHost::~QtPlayerHost() {
    while (m_waitCursors > 0) EndWaitCursor();
}

void QtPlayerHost::Attach(app::PlayerApp* app, QWidget* panel, LoadProgress* progress) {
    m_app = app;
    m_panel = panel;
    m_progress = progress;
    if (m_progress != nullptr) m_progress->SetOnFinished([this] { RunWaitingTicks(); });
}

QWidget* QtPlayerHost::DialogParent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return m_panel;
}

void QtPlayerHost::ShowMessage(std::string_view text) {
    if (m_progress != nullptr) m_progress->HideWindow();
    const NormalCursor normal(m_waitCursors);
    gui::ShowMessage(DialogParent(), FromUtf8(text));
}

Host::Answer QtPlayerHost::Ask(std::string_view text, std::string_view caption, bool withCancel) {
    if (m_progress != nullptr) m_progress->HideWindow();
    const NormalCursor normal(m_waitCursors);
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel) buttons |= QMessageBox::Cancel;
    const QString title = caption.empty() ? QStringLiteral("Roamer") : FromUtf8(caption);
    QMessageBox box(QMessageBox::Warning, title, FromUtf8(text), buttons, DialogParent());
    box.setFont(DialogFont());
    // The user's language on the buttons, not the toolkit's.
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    if (withCancel) box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::No);
    switch (box.exec()) {
        case QMessageBox::Yes: return Answer::kYes;
        case QMessageBox::No: return Answer::kNo;
        default: return withCancel ? Answer::kCancel : Answer::kNo;
    }
}

void QtPlayerHost::BeginWaitCursor() {
    ++m_waitCursors;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtPlayerHost::EndWaitCursor() {
    if (m_waitCursors == 0) return;
    --m_waitCursors;
    QApplication::restoreOverrideCursor();
}

void QtPlayerHost::StartTimer(int id, int intervalMs) {
    auto& timer = m_timers[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        QObject::connect(timer.get(), &QTimer::timeout, [this, id] { Tick(id); });
    }
    timer->start(intervalMs);
}

void QtPlayerHost::StopTimer(int id) {
    const auto found = m_timers.find(id);
    if (found != m_timers.end()) found->second->stop();
    m_waitingTicks.erase(id);
}

bool QtPlayerHost::TimerRunning(int id) const {
    const auto found = m_timers.find(id);
    return found != m_timers.end() && found->second->isActive();
}

int QtPlayerHost::TimerInterval(int id) const {
    const auto found = m_timers.find(id);
    return found != m_timers.end() && found->second->isActive() ? found->second->interval() : 0;
}

void QtPlayerHost::Tick(int id) {
    // A tick that falls into a design's loading runs after it, on the finished design.
    if (m_progress != nullptr && m_progress->Loading()) {
        m_waitingTicks.insert(id);
        return;
    }
    if (id == app::PlayerApp::kWelcomeTimer && m_welcomeTick) m_welcomeTick();
    if (m_app != nullptr) m_app->OnTimer(id);
}

void QtPlayerHost::RunWaitingTicks() {
    if (m_waitingTicks.empty()) return;
    QTimer::singleShot(0, [this] {
        const std::set<int> waiting = std::move(m_waitingTicks);
        m_waitingTicks.clear();
        for (const int id : waiting)
            if (TimerRunning(id)) Tick(id);
    });
}

namespace {

// Qt's own file dialog, for as long as this lives: large enough to read names and places (within
// the screen), and with the sample rooms' folder among the places. Qt keeps a dialog's places and
// sizes in the settings every Qt program shares when the dialog goes; they are put back first, so
// nothing of this stays. A desktop's own dialog, where Qt uses one, has neither.
class RoomyPlaces {
public:
    RoomyPlaces(QFileDialog& dialog, const QString& samplesFolder)
        : m_dialog(dialog), m_places(dialog.sidebarUrls()),
          m_split(dialog.findChild<QSplitter*>(QStringLiteral("splitter"))) {
        if (!samplesFolder.isEmpty() && QFileInfo(samplesFolder).isDir()) {
            QList<QUrl> places = m_places;
            const QUrl samples = QUrl::fromLocalFile(samplesFolder);
            if (!places.contains(samples)) places.append(samples);
            dialog.setSidebarUrls(places);
        }
        QSize size = dialog.sizeHint().expandedTo(QSize(760, 480));
        if (const QScreen* screen = dialog.screen(); screen != nullptr)
            size = size.boundedTo(screen->availableSize() * 9 / 10);
        dialog.resize(size);
        if (m_split != nullptr) {
            m_sizes = m_split->sizes();
            m_split->setSizes({170, std::max(size.width() - 170, 1)});
        }
    }
    ~RoomyPlaces() {
        m_dialog.setSidebarUrls(m_places);
        if (m_split != nullptr) m_split->setSizes(m_sizes);
    }
    RoomyPlaces(const RoomyPlaces&) = delete;
    RoomyPlaces& operator=(const RoomyPlaces&) = delete;

private:
    QFileDialog& m_dialog;
    const QList<QUrl> m_places;
    QSplitter* const m_split;
    QList<int> m_sizes;
};

}  // namespace

app::FileDialogResult QtPlayerHost::RunFileDialog(const app::FileDialogRequest& request) {
    const NormalCursor normal(m_waitCursors);
    QFileDialog dialog(DialogParent(), FromUtf8(request.title));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save            ? QFileDialog::AnyFile
                       : request.multipleFiles ? QFileDialog::ExistingFiles
                                               : QFileDialog::ExistingFile);
    dialog.setNameFilters(QtNameFilters(request.filter));
    QString suffix = FromUtf8(request.defaultExtension);
    while (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    if (!request.initialName.empty()) dialog.selectFile(FromUtf8(request.initialName));
    const RoomyPlaces places(dialog, request.save ? QString() : m_samplesFolder);
    app::FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted) return result;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return result;
    result.accepted = true;
    result.folder = dialog.directory().absolutePath().toStdString();
    for (const QString& file : files) result.files.push_back(file.toStdString());
    return result;
}

rm::RenderSurface* QtPlayerHost::OpenFrameWindow(int* width, int* height) {
    if (m_app == nullptr || width == nullptr || height == nullptr) return nullptr;
    if (!m_frame) {
        m_frame = new D3DFrame(*m_app, m_panel);
        QObject::connect(m_frame, &D3DFrame::helpRequested, [this] {
            if (m_help) m_help();
        });
        if (m_frameMade) m_frameMade(*m_frame);
    }
    m_frame->ShowCentred();
    D3DView& view = m_frame->View();
    // The view's context is made when it is first shown; give the window system a moment.
    for (int i = 0; i < 50 && view.context() == nullptr; ++i)
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    if (view.context() == nullptr || !view.context()->isValid()) {
        // Without a context nothing can be drawn: say why the view stays black.
        ShowMessage("無法建立OpenGL 3.3繪圖環境，3D畫面無法顯示");
        return nullptr;
    }
    *width = view.width();
    *height = view.height();
    PanelChanged();
    return &view.Surface();
}

void QtPlayerHost::RaiseFrameWindow() {
    if (!m_frame) return;
    if (!m_frame->isVisible()) m_frame->show();
    m_frame->raise();
    m_frame->activateWindow();
}

void QtPlayerHost::PanelChanged() {
    if (m_panel) m_panel->update();
    if (m_frame && m_app != nullptr)
        m_frame->SetTitleStatus(QString::fromStdString(m_app->Panel().FrameTitle()));
}

void QtPlayerHost::DestroyFrameWindow() {
    if (m_frame) delete m_frame.data();
}

}  // namespace roamer::gui
