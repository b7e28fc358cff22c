#pragma once

#include <functional>
#include <string_view>

namespace roamer::app {

// The playback settings the options dialog edits.
struct PlayerSettings {
    int speedIndex = 1;  // 0..3: 超快, 快, 適中, 慢
    int pauseIndex = 1;  // 0..2: 短, 適中, 長
    int repeatCount = 1;
    bool editMode = false;
    bool wallCollision = false;
};

// The values and rules of the options dialog, without its window: the dialog shows these
// values, forwards the user's changes and asks whether OK may close it.
class OptionsDialogModel {
public:
    static constexpr std::string_view kTitle = "Roamer-功能選項";
    static constexpr std::string_view kCountTooSmall = "播放次數不可以小於1！";

    // `saveDesign` saves the current design and tells whether it succeeded.
    OptionsDialogModel(const PlayerSettings& settings, bool& modified,
                       std::function<bool()> saveDesign);

    PlayerSettings values;  // what the controls show
    bool SaveEnabled() const { return values.editMode && m_modified; }
    void ToggleEditMode() { values.editMode = !values.editMode; }
    // The save button: a successful save clears `modified`.
    void Save();
    // OK: the message to show and keep the dialog open, or empty when the values may be stored.
    std::string_view Validate() const;
    // Stores the values into `settings`, clamping the pass in progress below the new count.
    void Apply(PlayerSettings& settings, int& passIndex) const;

private:
    bool& m_modified;
    std::function<bool()> m_saveDesign;
};

}  // namespace roamer::app
