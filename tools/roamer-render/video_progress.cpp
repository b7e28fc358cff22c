#include "roamer-render/video_progress.h"

#include <cmath>
#include <ostream>
#include <string>

namespace roamer::tools {
namespace {

constexpr int kBarWidth = 30;
constexpr auto kRedraw = std::chrono::milliseconds(100);

}  // namespace

VideoProgress::VideoProgress(std::ostream& err, bool bar)
    : m_err(err), m_bar(bar), m_start(std::chrono::steady_clock::now()) {}

void VideoProgress::Show(const app::WalkVideoProgress& p) {
    if (p.framesTotal <= 0) return;
    const auto now = std::chrono::steady_clock::now();
    const double elapsed = std::chrono::duration<double>(now - m_start).count();
    const bool done = p.framesDone >= p.framesTotal;
    if (m_bar) {
        if (m_drawn && !done && now - m_lastDrawn < kRedraw) return;
        m_lastDrawn = now;
        DrawBar(p, elapsed);
        return;
    }
    const int tenth = static_cast<int>(p.framesDone * 10 / p.framesTotal);
    if (tenth <= m_lastTenth) return;
    m_lastTenth = tenth;
    m_err << "roamer-render: " << tenth * 10 << "% (" << p.framesDone << " of " << p.framesTotal
          << " frames, " << ClockText(elapsed) << " taken)\n";
}

void VideoProgress::DrawBar(const app::WalkVideoProgress& p, double elapsed) {
    const double part = static_cast<double>(p.framesDone) / static_cast<double>(p.framesTotal);
    const int filled = static_cast<int>(part * kBarWidth);
    const double left = p.framesDone > 0 ? elapsed * (1.0 - part) / part : 0.0;
    std::string line = "\r[";
    line.append(static_cast<std::size_t>(filled), '#');
    line.append(static_cast<std::size_t>(kBarWidth - filled), '-');
    line += "] " + std::to_string(p.framesDone) + "/" + std::to_string(p.framesTotal) +
            " frames  " + ClockText(elapsed) + " taken  " +
            (p.framesDone > 0 ? ClockText(left) : std::string("?")) + " left";
    if (p.designCount > 1)
        line += "  design " + std::to_string(p.design) + "/" + std::to_string(p.designCount);
    line += "\x1b[K";  // clear what a longer line left behind
    m_err << line << std::flush;
    m_drawn = true;
}

void VideoProgress::Finish() {
    if (m_bar && m_drawn) m_err << '\n';
    m_drawn = false;
}

}  // namespace roamer::tools
