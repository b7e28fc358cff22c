#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/options_dialog_model.h"
#include "app/walk_clock_host.h"

namespace roamer::app {

// What to make a walkthrough video of, and how.
struct WalkVideoRequest {
    // A play list (.vol), or else the designs (.dsg) of a selection, in order: local paths.
    std::string playList;
    std::vector<std::string> designs;
    std::string output;  // the .mp4 file
    // Even, 2 to 8192; the picture is drawn at this size, as in a view of this size.
    int width = 1280;
    int height = 720;
    int framesPerSecond = 30;
    // Speed, pause, passes (repeatCount) and wall collision, as the options dialog sets them.
    PlayerSettings settings;
    // Glide between the recorded steps at the frame rate instead of holding each step.
    bool smoothMotion = false;
    // A stopped export keeps the shorter, playable video instead of none.
    bool keepPartialOnCancel = false;
    // Where the player looks for its models folder, as PlayerApp's work folder.
    std::string workFolder;
};

struct WalkVideoProgress {
    std::int64_t framesDone = 0;
    // The walk's length as far as it is known: designs found unplayable drop out of it.
    std::int64_t framesTotal = 0;
    int framesPerSecond = 30;
    int design = 0;  // 1-based number of the design now playing
    int designCount = 0;
    int pass = 0;  // 1-based
    int passCount = 0;
};

struct WalkVideoHooks {
    SurfaceFactory makeSurface;                               // required
    MessageSink message;                                      // the player's messages and skips
    std::function<bool(const WalkVideoProgress&)> progress;   // false stops the export
};

enum class WalkVideoOutcome {
    kWritten,        // the whole walk is in the file
    kStopped,        // progress said stop; see fileWritten
    kNothingToPlay,  // no design could be loaded with a browse path
    kBadRequest,     // a size, frame rate or list that cannot be used, or no H.264 encoder
    kCannotWrite,    // the video file cannot be made where it was asked for
    kNoRenderer,     // no offscreen drawing could be started
    kFailed,         // drawing or encoding failed midway; no file at the target
};

struct WalkVideoResult {
    WalkVideoOutcome outcome = WalkVideoOutcome::kFailed;
    std::string problem;  // why, for a message, when not kWritten
    bool fileWritten = false;
    std::int64_t frames = 0;
    std::int64_t durationMs = 0;  // of the walk as played (frames cover it to one frame)
    int designsPlayed = 0;
};

// Plays the designs exactly as the player's sequencer does, each design's browse path for the
// number of passes, each command's picture held for a tick of the play timer at the speed and a
// recorded stop's smoothed still for the pause, and encodes what would be on screen into an H.264
// MP4 file. Designs that cannot be loaded or have no browse path are skipped with a message.
// Runs on the calling thread; the progress hook is called after every step.
WalkVideoResult ExportWalkVideo(const WalkVideoRequest& request, const WalkVideoHooks& hooks);

// Rounds a size up to the even number the encoder takes.
inline int EvenVideoSize(int size) { return size % 2 == 0 ? size : size + 1; }

}  // namespace roamer::app
