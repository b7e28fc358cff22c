// The play sequencer: walks through the play list, replays each design's browse path a set
// number of times, and moves on, stops, or starts over in loop mode.
#include "app/player_app.h"

namespace roamer::app {

void PlayerApp::SetPlayState(std::int32_t newState) {
    m_panel.UpdateButtons(newState);
    state = newState;
    m_host.PanelChanged();
}

int PlayerApp::PlayTimerInterval() const {
    return mouseDrive ? 10 : PlayInterval(settings.speedIndex);
}

void PlayerApp::StartPlayTimer() {
    m_host.StartTimer(kPlayTimer, PlayTimerInterval());
}

// Also ends a pause at a recorded stop: nothing may restart playback behind a Stop.
void PlayerApp::StopPlayTimer() {
    m_host.StopTimer(kPlayTimer);
    m_host.StopTimer(kPauseTimer);
}

void PlayerApp::PauseThenResume(int milliseconds) {
    m_host.StopTimer(kPlayTimer);
    m_host.StartTimer(kPauseTimer, milliseconds);
}

void PlayerApp::OnTimer(int id) {
    if (id == kPauseTimer) {
        m_host.StopTimer(kPauseTimer);  // one shot
        StartPlayTimer();
        return;
    }
    if (id != kPlayTimer) return;
    if (mouseDrive) {
        MouseDriveStep();
        return;
    }
    if (!m_navigator->StepPath(m_path->IsForward())) EndOfPath();
}

void PlayerApp::Play() {
    if (state == PS_READY) {
        if (designCount == 0) return;
        SetPlayState(PS_PLAYING);
        // Nothing playable from the chosen design on: back to ready at once.
        if (!AdvanceDesign()) Stop();
    } else if (state == PS_PAUSED) {
        SetPlayState(PS_PLAYING);
        ResumePass();
    }
}

// Designs that cannot be loaded or have no browse path are skipped; a long list of them is
// walked in a loop, not by recursion.
bool PlayerApp::AdvanceDesign() {
    while (designIndex + 1 < designCount) {
        ++designIndex;
        if (!LoadDesign(CurrentDesignPath())) {
            if (m_designKept) return false;  // the user keeps the modified design on screen
            continue;
        }
        m_engine->Render();
        passIndex = -1;
        if (state != PS_PLAYING) SetPlayState(PS_PLAYING);
        if (m_navigator->StartPath()) {
            StartPass();
            return true;
        }
    }
    return false;
}

bool PlayerApp::BackDesign() {
    if (designIndex - 1 < 0) return false;
    --designIndex;
    if (!LoadDesign(CurrentDesignPath()) && m_designKept) return false;
    m_engine->Render();
    passIndex = -1;
    if (state != PS_PLAYING) SetPlayState(PS_PLAYING);
    if (m_navigator->StartPath()) {
        StartPass();
        return true;
    }
    return AdvanceDesign();
}

void PlayerApp::StartPass() {
    StopPlayTimer();
    ++passIndex;
    m_panel.SetStatus(PS_PLAYING, CurrentDesignPath(), loop);
    m_panel.ShowDesignCounter(designIndex + 1, designCount);
    m_panel.ShowPassCounter(passIndex, settings.repeatCount);
    m_host.PanelChanged();
    StartPlayTimer();
}

void PlayerApp::ResumePass() {
    StopPlayTimer();
    m_panel.SetStatus(PS_PLAYING, CurrentDesignPath(), loop);
    m_host.PanelChanged();
    StartPlayTimer();
}

void PlayerApp::EndOfPath() {
    StopPlayTimer();
    m_navigator->ReleaseShift();
    if (passIndex + 1 >= settings.repeatCount) {
        if (!AdvanceDesign()) {
            Stop();
            if (loop && !m_designKept) Play();
        }
        return;
    }
    m_navigator->StartPath();
    StartPass();
}

void PlayerApp::Pause() {
    if (state != PS_PLAYING) return;
    SetPlayState(PS_PAUSED);
    StopPlayTimer();
    m_panel.SetStatus(PS_PAUSED, CurrentDesignPath(), loop);
    m_host.PanelChanged();
}

void PlayerApp::Stop() {
    if (state != PS_PLAYING && state != PS_PAUSED) return;
    SetPlayState(PS_READY);
    designIndex = -1;
    passIndex = -1;
    m_panel.SetStatus(PS_READY, "", loop);
    m_panel.ShowDesignCounter(designIndex + 2, designCount);
    m_panel.ShowPassCounter(0, settings.repeatCount);
    m_host.PanelChanged();
    StopPlayTimer();
}

void PlayerApp::ShowReadyCounters() {
    m_panel.ShowDesignCounter(designIndex + 2, designCount);
    m_panel.ShowPassCounter(passIndex + 1, settings.repeatCount);
    m_host.PanelChanged();
}

void PlayerApp::NextDesign() {
    if (state == PS_READY) {
        if (designIndex < designCount - 2) {
            ++designIndex;
            passIndex = -1;
            ShowReadyCounters();
        }
    } else if (state == PS_PLAYING) {
        if (designIndex < designCount - 1) {
            StopPlayTimer();
            m_navigator->ReleaseShift();
            if (!AdvanceDesign()) Stop();  // nothing playable after it
        }
    }
}

void PlayerApp::PreviousDesign() {
    if (state == PS_READY) {
        if (designIndex > -1) {
            --designIndex;
            passIndex = -1;
            ShowReadyCounters();
        }
    } else if (state == PS_PLAYING) {
        if (designIndex > 0) {
            StopPlayTimer();
            m_navigator->ReleaseShift();
            if (!BackDesign()) Stop();
        }
    }
}

OptionsDialogModel PlayerApp::BeginOptions() {
    return OptionsDialogModel(settings, modified, [this] { return SaveDesign(); });
}

void PlayerApp::EndOptions(const OptionsDialogModel& dialog, bool accepted) {
    if (accepted) {
        dialog.Apply(settings, passIndex);
        if (state == PS_PLAYING) {
            // Restart the timer with the new speed.
            Pause();
            Play();
            m_panel.ShowPassCounter(passIndex, settings.repeatCount);
        } else if (state == PS_PAUSED) {
            m_panel.ShowPassCounter(passIndex, settings.repeatCount);
        } else {
            m_panel.ShowPassCounter(passIndex + 1, settings.repeatCount);
        }
        m_host.PanelChanged();
    }
    if (!settings.editMode) {
        ClearSelection();
        m_engine->Render();
    }
}

}  // namespace roamer::app
