#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>

#include "app/clock_text.h"
#include "app/walk_video_export.h"

namespace roamer::tools {

// Progress of a video export on standard error: on a terminal a bar with the frames done, the
// time taken and the time left, redrawn a few times a second; elsewhere (a log, a pipe) a line at
// every tenth of the walk.
class VideoProgress {
public:
    VideoProgress(std::ostream& err, bool bar);

    void Show(const app::WalkVideoProgress& progress);
    // Ends the bar's line, so what follows starts on a line of its own.
    void Finish();

private:
    void DrawBar(const app::WalkVideoProgress& progress, double elapsed);

    std::ostream& m_err;
    bool m_bar;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastDrawn;
    int m_lastTenth = 0;
    bool m_drawn = false;
};

using app::ClockText;

}  // namespace roamer::tools
