#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/player_host.h"
#include "platform/gl/offscreen_surface.h"
#include "platform/recording_host.h"

namespace roamer::app::test {

// A player host without windows: messages and questions as RecordingHost does, file dialogs
// answered from a script, the 3D view drawn offscreen, and timers on a clock the test moves.
class ScriptedPlayerHost : public PlayerHost {
public:
    // Host.
    void ShowMessage(std::string_view text) override { recorder.ShowMessage(text); }
    Answer Ask(std::string_view text, std::string_view caption, bool withCancel) override {
        questionsWithCancel.push_back(withCancel);
        return recorder.Ask(text, caption, withCancel);
    }
    void BeginWaitCursor() override { recorder.BeginWaitCursor(); }
    void EndWaitCursor() override { recorder.EndWaitCursor(); }

    // PlayerHost.
    void StartTimer(int id, int intervalMs) override {
        timers[id] = {intervalMs, now + intervalMs};
    }
    void StopTimer(int id) override { timers.erase(id); }
    FileDialogResult RunFileDialog(const FileDialogRequest& request) override {
        dialogs.push_back(request);
        if (dialogAnswers.empty()) return {};
        FileDialogResult result = dialogAnswers.front();
        dialogAnswers.pop_front();
        return result;
    }
    rm::RenderSurface* OpenFrameWindow(int* width, int* height) override {
        ++frameOpens;
        if (!surface && gl::OffscreenSurface::Create(viewWidth, viewHeight, &surface) != 0)
            return nullptr;
        *width = viewWidth;
        *height = viewHeight;
        return surface.get();
    }
    void RaiseFrameWindow() override { ++frameRaises; }
    void PanelChanged() override {
        if (onPanelChanged) onPanelChanged();
    }

    bool TimerRunning(int id) const { return timers.count(id) != 0; }
    int TimerInterval(int id) const {
        const auto it = timers.find(id);
        return it == timers.end() ? 0 : it->second.interval;
    }
    // The next due timer: advances the clock to it and returns its id; 0 when none runs.
    template <typename App>
    int Tick(App& app) {
        int next = 0;
        long due = 0;
        for (const auto& [id, timer] : timers)
            if (next == 0 || timer.due < due) next = id, due = timer.due;
        if (next == 0) return 0;
        now = due;
        timers[next].due = now + timers[next].interval;
        app.OnTimer(next);
        return next;
    }

    struct Timer {
        int interval = 0;
        long due = 0;
    };
    RecordingHost recorder;
    std::vector<bool> questionsWithCancel;
    // Called whenever the control panel would be drawn again, to see what it showed then.
    std::function<void()> onPanelChanged;
    std::map<int, Timer> timers;
    long now = 0;
    std::deque<FileDialogResult> dialogAnswers;
    std::vector<FileDialogRequest> dialogs;
    std::unique_ptr<gl::OffscreenSurface> surface;
    int viewWidth = 64;
    int viewHeight = 48;
    int frameOpens = 0;
    int frameRaises = 0;
};

}  // namespace roamer::app::test
