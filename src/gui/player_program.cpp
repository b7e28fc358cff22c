#include "gui/player_program.h"

#include <QApplication>
#include <QDir>
#include <QSessionManager>
#include <QSurfaceFormat>
#include <QTimer>

#include "app/player_app.h"
#include "gui/d3d_view.h"
#include "gui/file_drop.h"
#include "gui/load_progress.h"
#include "gui/player_dialog.h"
#include "platform/fs/data_folder.h"

namespace roamer::gui {

void PlayerProgram::PrepareApplication() {
    // The panel places itself at the screen's corner and is dragged by its face, which a
    // Wayland client cannot do; where X is there too, the player runs as an X client.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QSurfaceFormat::setDefaultFormat(D3DView::Format());
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

PlayerProgram::PlayerProgram() {
    const fs::DataFolders folders = fs::FindDataFolders();
    m_manualFolder = QString::fromStdString(folders.manual);
    m_samplesFolder = QString::fromStdString(folders.samples);
    auto progress = std::make_unique<LoadProgress>(nullptr);
    LoadProgress* loadProgress = progress.get();
    m_loadProgress = loadProgress;
    m_app = std::make_unique<app::PlayerApp>(m_host, QDir::currentPath().toStdString(),
                                             std::move(progress));
    m_dialog = std::make_unique<PlayerDialog>(*m_app, m_host, m_manualFolder);
    loadProgress->SetOwner(m_dialog.get());
    m_host.Attach(m_app.get(), m_dialog.get(), loadProgress);
    m_host.SetHelpRequest([this] { m_dialog->ShowHelp(); });
    m_host.SetSamplesFolder(m_samplesFolder);
    // Play lists and designs dropped on the panel or the 3D frame open as the buttons do.
    auto* drop = new FileDrop(
        [this](const std::vector<std::string>& files) { m_dialog->OpenFiles(files); },
        m_dialog.get());
    drop->Watch(*m_dialog);
    m_host.SetFrameMade([drop](D3DFrame& frame) { drop->Watch(frame); });
    // The end of the desktop session closes the player as its close button does, when the
    // session lets it ask the save question. A design half read cannot be closed: the logout is
    // cancelled, and the user logs out again once the load has ended.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, m_dialog.get(),
                     [this](QSessionManager& manager) {
                         if (EndSession(manager.allowsInteraction()) == SessionEnd::kLogoutCancelled)
                             manager.cancel();
                         manager.release();
                     });
}

PlayerProgram::SessionEnd PlayerProgram::EndSession(bool mayAsk) {
    if (!m_dialog->isVisible() || !mayAsk) return SessionEnd::kLeftAlone;
    if (m_loadProgress->Loading()) return SessionEnd::kLogoutCancelled;
    m_dialog->done(QDialog::Accepted);
    return SessionEnd::kClosed;
}

PlayerProgram::~PlayerProgram() {
    // The windows go before the player logic whose engine they hold.
    m_dialog.reset();
    m_app.reset();
}

void PlayerProgram::Show() {
    if (m_shown) return;
    m_shown = true;
    m_dialog->show();
    m_dialog->ShowWelcome();
    m_dialog->activateWindow();
}

void PlayerProgram::OpenAtStart(std::vector<std::string> files, bool play) {
    if (files.empty()) return;
    QTimer::singleShot(0, m_dialog.get(), [this, files = std::move(files), play] {
        m_dialog->OpenFiles(files, play);
    });
}

int PlayerProgram::Run() {
    Show();
    m_dialog->exec();
    return 0;
}

}  // namespace roamer::gui
