#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/player_host.h"
#include "platform/rm/render_surface.h"

namespace roamer::app {

// Makes the drawing surface of a walk played without a window; null when none can be had.
using SurfaceFactory = std::function<std::unique_ptr<rm::RenderSurface>(int width, int height)>;
// Where the messages of a walk played without a window go (UTF-8, one message a call).
using MessageSink = std::function<void(std::string_view text)>;

// The player's host for a walk played on a clock of its own instead of the wall clock: timers
// only note when they are due, and Advance jumps to the next one, so a walk plays exactly as on
// screen but as fast as it can be drawn. Messages go to the sink; the missing-model question is
// answered Yes (and passed on); the file dialogs answer what `chosen` holds.
class WalkClockHost final : public PlayerHost {
public:
    WalkClockHost(int width, int height, SurfaceFactory makeSurface, MessageSink messages);

    void ShowMessage(std::string_view text) override;
    Answer Ask(std::string_view text, std::string_view caption, bool withCancel) override;
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void StartTimer(int id, int intervalMs) override;
    void StopTimer(int id) override;
    FileDialogResult RunFileDialog(const FileDialogRequest& request) override;
    rm::RenderSurface* OpenFrameWindow(int* width, int* height) override;
    void RaiseFrameWindow() override {}
    void PanelChanged() override {}

    // Moves the clock to the earliest due timer among `ids` and gives that timer's id; nothing
    // when none of them runs. A repeating timer is due again one interval later.
    std::optional<int> Advance(std::initializer_list<int> ids);
    std::int64_t NowMs() const { return m_nowMs; }
    rm::RenderSurface* Surface() { return m_surface.get(); }

    FileDialogResult chosen;

private:
    struct Timer {
        std::int64_t dueMs = 0;
        int intervalMs = 0;
    };

    int m_width;
    int m_height;
    SurfaceFactory m_makeSurface;
    MessageSink m_messages;
    std::unique_ptr<rm::RenderSurface> m_surface;
    std::map<int, Timer> m_timers;
    std::int64_t m_nowMs = 0;
};

}  // namespace roamer::app
