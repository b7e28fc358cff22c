#pragma once

#include <iostream>
#include <map>
#include <memory>
#include <string>

#include "app/player_host.h"
#include "platform/gl/offscreen_surface.h"

namespace roamer::tools {

// The player's host for a run without any display: messages go to standard error, the
// missing-model question is answered Yes, the 3D view is drawn offscreen and timers are only
// noted (the tool steps playback itself and reads the intervals from here).
class RenderHost final : public app::PlayerHost {
public:
    RenderHost(int width, int height, std::ostream& messages)
        : m_width(width), m_height(height), m_messages(messages) {}

    void ShowMessage(std::string_view text) override {
        m_messages << "roamer-render: " << text << '\n';
        ++messageCount;
    }
    Answer Ask(std::string_view text, std::string_view, bool) override {
        m_messages << "roamer-render: " << text << " (yes)\n";
        return Answer::kYes;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}

    void StartTimer(int id, int intervalMs) override { timers[id] = intervalMs; }
    void StopTimer(int id) override { timers.erase(id); }
    app::FileDialogResult RunFileDialog(const app::FileDialogRequest&) override { return {}; }
    rm::RenderSurface* OpenFrameWindow(int* width, int* height) override {
        if (!m_surface && gl::OffscreenSurface::Create(m_width, m_height, &m_surface) != 0)
            return nullptr;
        *width = m_width;
        *height = m_height;
        return m_surface.get();
    }
    void RaiseFrameWindow() override {}
    void PanelChanged() override {}

    // Running timers by id, with their intervals in milliseconds.
    std::map<int, int> timers;
    int messageCount = 0;

private:
    int m_width;
    int m_height;
    std::ostream& m_messages;
    std::unique_ptr<gl::OffscreenSurface> m_surface;
};

}  // namespace roamer::tools
