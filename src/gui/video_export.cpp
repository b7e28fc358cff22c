#include "gui/video_export.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>

#include "app/design_video.h"
#include "app/player_app.h"
#include "app/video_export_job.h"
#include "gui/dialogs/message_box.h"
#include "gui/dialogs/video_progress_window.h"
#include "gui/qt_player_host.h"
#include "platform/gl/offscreen_surface.h"

namespace roamer::gui {
namespace {

namespace dv = app::design_video;

constexpr int kPollMs = 100;

// Made on the export's thread, so its context is current there and nowhere else.
std::unique_ptr<rm::RenderSurface> OffscreenSurface(int width, int height) {
    std::unique_ptr<gl::OffscreenSurface> surface;
    if (gl::OffscreenSurface::Create(width, height, &surface) != 0) return nullptr;
    return surface;
}

std::string ChooseVideoFile(QtPlayerHost& host, const std::string& design) {
    app::FileDialogRequest request;
    request.save = true;
    request.title = "匯出影片";
    request.filter = "MP4 影片 (*.mp4)|*.mp4||";
    request.defaultExtension = ".mp4";
    request.initialName = dv::DefaultVideoPath(design);
    const app::FileDialogResult chosen = host.RunFileDialog(request);
    if (!chosen.accepted || chosen.files.empty()) return {};
    return dv::WithVideoExtension(chosen.files.front());
}

// Runs the job behind the progress window until it has ended, stopped or not.
void RunWithProgress(app::VideoExportJob& job, QWidget* parent) {
    const QString name = QFileInfo(QString::fromStdString(job.Request().output)).fileName();
    VideoProgressWindow window(name, parent);
    window.SetProgress(0, QString::fromStdString(dv::ProgressText({}, 0.0)));
    QObject::connect(&window, &VideoProgressWindow::stopRequested, [&job] { job.Stop(); });
    QElapsedTimer clock;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &window, [&] {
        const app::WalkVideoProgress progress = job.Progress();
        const double elapsed = static_cast<double>(clock.elapsed()) / 1000.0;
        window.SetProgress(dv::ProgressPermille(progress),
                           QString::fromStdString(dv::ProgressText(progress, elapsed)));
        if (job.Finished()) window.Finish();
    });
    clock.start();
    job.Start();
    poll.start(kPollMs);
    window.exec();
    poll.stop();
    job.Wait();
}

}  // namespace

void ExportDesignVideo(app::PlayerApp& app, QtPlayerHost& host, QWidget* parent) {
    if (!app.DesignShown()) {
        ShowMessage(parent, QStringLiteral("沒有開啟的設計案可匯出影片。"));
        return;
    }
    // The walk is what the video shows: without one there is nothing to ask a file name for.
    if (app.Path().GetCount() == 0) {
        ShowMessage(parent, QString::fromUtf8(app::design_video::kNoWalkText));
        return;
    }
    const app::PlaybackHold hold(app);
    const std::string design = app.DesignFileForVideo();
    host.PanelChanged();
    if (design.empty()) return;
    const std::string output = ChooseVideoFile(host, design);
    if (output.empty()) return;

    app::VideoExportJob job(dv::Request(design, output, app.settings, app.workFolder),
                            OffscreenSurface);
    RunWithProgress(job, parent);
    const app::WalkVideoResult result = job.Result();
    const QString text = QString::fromStdString(dv::ResultText(result, output, job.Messages()));
    if (text.isEmpty()) return;
    if (result.outcome == app::WalkVideoOutcome::kWritten) ShowInformation(parent, text);
    else ShowMessage(parent, text);
}

}  // namespace roamer::gui
