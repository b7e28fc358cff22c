#include "app/walk_clock_host.h"

#include <string>

namespace roamer::app {

WalkClockHost::WalkClockHost(int width, int height, SurfaceFactory makeSurface,
                             MessageSink messages)
    : m_width(width),
      m_height(height),
      m_makeSurface(std::move(makeSurface)),
      m_messages(std::move(messages)) {}

void WalkClockHost::ShowMessage(std::string_view text) {
    if (m_messages) m_messages(text);
}

Host::Answer WalkClockHost::Ask(std::string_view text, std::string_view, bool) {
    if (m_messages) m_messages(std::string(text) + " (yes)");
    return Answer::kYes;
}

void WalkClockHost::StartTimer(int id, int intervalMs) {
    // A timer never fires sooner than the next moment, as a window system's would not.
    const int interval = intervalMs < 1 ? 1 : intervalMs;
    m_timers[id] = {m_nowMs + interval, interval};
}

void WalkClockHost::StopTimer(int id) { m_timers.erase(id); }

FileDialogResult WalkClockHost::RunFileDialog(const FileDialogRequest&) { return chosen; }

rm::RenderSurface* WalkClockHost::OpenFrameWindow(int* width, int* height) {
    if (!m_surface && m_makeSurface) m_surface = m_makeSurface(m_width, m_height);
    if (!m_surface) return nullptr;
    *width = m_width;
    *height = m_height;
    return m_surface.get();
}

std::optional<int> WalkClockHost::Advance(std::initializer_list<int> ids) {
    std::optional<int> next;
    for (const int id : ids) {
        const auto timer = m_timers.find(id);
        if (timer == m_timers.end()) continue;
        if (!next || timer->second.dueMs < m_timers[*next].dueMs) next = id;
    }
    if (!next) return std::nullopt;
    Timer& timer = m_timers[*next];
    m_nowMs = timer.dueMs;
    timer.dueMs += timer.intervalMs;
    return next;
}

}  // namespace roamer::app
