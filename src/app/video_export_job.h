#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/walk_video_export.h"

namespace roamer::app {

// One walkthrough video made on a thread of its own, so that the windows stay responsive: the
// export draws in an offscreen context current on that thread only. The window's side polls
// the progress, may ask it to stop, and takes the result once it has finished.
class VideoExportJob {
public:
    VideoExportJob(WalkVideoRequest request, SurfaceFactory makeSurface);
    // Stops a running export at its next step and waits for it: nothing is left half-written.
    ~VideoExportJob();
    VideoExportJob(const VideoExportJob&) = delete;
    VideoExportJob& operator=(const VideoExportJob&) = delete;

    void Start();
    // The export ends after the step it is in; the result then says kStopped.
    void Stop() { m_stop = true; }
    bool Finished() const { return m_finished; }
    // Waits until the export has ended; the result and messages are then final.
    void Wait();

    WalkVideoProgress Progress() const;
    WalkVideoResult Result() const;
    std::vector<std::string> Messages() const;
    const WalkVideoRequest& Request() const { return m_request; }

private:
    void Run();

    const WalkVideoRequest m_request;
    const SurfaceFactory m_makeSurface;
    mutable std::mutex m_mutex;  // guards the three below
    WalkVideoProgress m_progress;
    WalkVideoResult m_result;
    std::vector<std::string> m_messages;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_finished{false};
    std::thread m_thread;
};

}  // namespace roamer::app
