#pragma once

class QWidget;

namespace roamer::app {
class PlayerApp;
}

namespace roamer::gui {

class QtPlayerHost;

// The context menu's 匯出影片...: a walkthrough video of the design on screen. Playback pauses;
// unsaved edits are offered to be saved; a save dialog names the .mp4; the video is made on a
// thread of its own behind a progress window with 取消; a message says where it went or why
// there is none. Playback goes on afterwards if it was playing.
void ExportDesignVideo(app::PlayerApp& app, QtPlayerHost& host, QWidget* parent);

}  // namespace roamer::gui
