#pragma once

#include <array>
#include <string>
#include <string_view>

#include "app/play_state.h"

namespace roamer::app {

// The texts and pictures the player window shows: the three status lines of the control panel,
// the images of its buttons and loop toggle, and the title of the 3D frame window. The window
// layer draws them; the player logic sets them.
class ControlPanel {
public:
    // Buttons in hit-test order.
    enum Button { kPlay, kStop, kPause, kPrevious, kNext, kOpenDesigns, kOpenPlayList, kOptions,
                  kClose, kButtonCount };
    // Images of a button: normal, pressed, disabled.
    enum Image { kNormal = 0, kPressed = 1, kDisabled = 2 };

    static constexpr std::string_view kApplicationTitle = "Roamer";

    // The state line, and the frame title when the frame window exists. `designPath` is as the
    // play list holds it (code page 950 or UTF-8).
    void SetStatus(std::int32_t state, std::string_view designPath, bool loop);
    void ShowDesignCounter(int a, int b);
    void ShowPassCounter(int a, int b);
    void UpdateButtons(std::int32_t state);
    void SetButtonImage(Button button, Image image) { m_images[button] = image; }
    void SetFrameExists(bool exists) { m_frameExists = exists; }

    const std::string& StateText() const { return m_stateText; }
    const std::string& DesignCounterText() const { return m_designCounter; }
    const std::string& PassCounterText() const { return m_passCounter; }
    Image ButtonImage(Button button) const { return m_images[button]; }
    bool IsEnabled(Button button) const { return m_images[button] != kDisabled; }
    const std::string& FrameTitle() const { return m_frameTitle; }

    // The frame window's title for a state, design path and loop flag; nothing for states that
    // have no title.
    static bool TitleFor(std::int32_t state, std::string_view designPath, bool loop,
                         std::string& title);
    // The file name of a path without folder and extension, as UTF-8.
    static std::string DesignName(std::string_view designPath);

private:
    std::string m_stateText;
    std::string m_designCounter = "選播0/0";
    std::string m_passCounter = "次數0/1";
    std::string m_frameTitle{kApplicationTitle};
    // At start-up only open design, open play list and close are usable.
    std::array<Image, kButtonCount> m_images{kDisabled, kDisabled, kDisabled, kDisabled,
                                             kDisabled, kNormal,   kNormal,   kDisabled,
                                             kNormal};
    bool m_frameExists = false;
};

}  // namespace roamer::app
