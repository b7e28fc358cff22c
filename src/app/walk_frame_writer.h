#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "app/design_view.h"
#include "platform/rm/device.h"
#include "platform/video/video_encoder.h"

namespace roamer::app {

// One picture of a walk as it was shown: when it appeared, the view it shows, and which pass of
// which design it belongs to (`walk` changes whenever a pass or a design starts).
struct WalkShot {
    std::int64_t atMs = 0;
    rm::Picture picture;
    ViewerState viewer;
    std::int64_t walk = 0;
};

// Draws an in-between view into `picture`; false when it cannot.
using GlideRenderer = std::function<bool(const ViewerState& view, rm::Picture& picture)>;

// Turns the shots of a walk into frames at a constant rate. Frame i starts at i / fps seconds and
// shows what was on screen at that moment. With smooth motion the frames between two shots of
// the same walk glide from one view to the next; a frame that starts exactly when a shot
// appeared shows that shot, so a recorded stop still shows its smoothed still.
class WalkFrameWriter {
public:
    WalkFrameWriter(video::VideoEncoder& encoder, int framesPerSecond, bool smoothMotion,
                    GlideRenderer render);

    // The frames from `shot` up to `untilMs`, heading for `next` (null at the end of the video).
    bool Write(const WalkShot& shot, std::int64_t untilMs, const WalkShot* next);
    const std::string& Problem() const { return m_problem; }

    // The first frame that starts at or after `ms`.
    static std::int64_t FrameAtOrAfter(std::int64_t ms, int framesPerSecond);

private:
    bool Add(const rm::Picture& picture, std::int64_t count);

    video::VideoEncoder& m_encoder;
    int m_fps;
    bool m_smooth;
    GlideRenderer m_render;
    rm::Picture m_between;
    std::string m_problem;
};

}  // namespace roamer::app
