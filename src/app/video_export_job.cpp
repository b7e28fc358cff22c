#include "app/video_export_job.h"

namespace roamer::app {

VideoExportJob::VideoExportJob(WalkVideoRequest request, SurfaceFactory makeSurface)
    : m_request(std::move(request)), m_makeSurface(std::move(makeSurface)) {}

VideoExportJob::~VideoExportJob() {
    Stop();
    Wait();
}

void VideoExportJob::Start() {
    if (m_thread.joinable() || m_finished) return;
    m_thread = std::thread([this] { Run(); });
}

void VideoExportJob::Wait() {
    if (m_thread.joinable()) m_thread.join();
}

void VideoExportJob::Run() {
    WalkVideoHooks hooks;
    hooks.makeSurface = m_makeSurface;
    hooks.message = [this](std::string_view text) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_messages.emplace_back(text);
    };
    hooks.progress = [this](const WalkVideoProgress& progress) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_progress = progress;
        return !m_stop;
    };
    WalkVideoResult result = ExportWalkVideo(m_request, hooks);
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_result = std::move(result);
    }
    m_finished = true;
}

WalkVideoProgress VideoExportJob::Progress() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_progress;
}

WalkVideoResult VideoExportJob::Result() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_result;
}

std::vector<std::string> VideoExportJob::Messages() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_messages;
}

}  // namespace roamer::app
