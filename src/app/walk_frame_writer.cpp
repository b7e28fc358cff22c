#include "app/walk_frame_writer.h"

#include "app/viewer_glide.h"

namespace roamer::app {

WalkFrameWriter::WalkFrameWriter(video::VideoEncoder& encoder, int framesPerSecond,
                                 bool smoothMotion, GlideRenderer render)
    : m_encoder(encoder), m_fps(framesPerSecond), m_smooth(smoothMotion), m_render(std::move(render)) {}

std::int64_t WalkFrameWriter::FrameAtOrAfter(std::int64_t ms, int framesPerSecond) {
    // Whole numbers only: a frame that starts exactly at `ms` must be found as starting there.
    return (ms * framesPerSecond + 999) / 1000;
}

bool WalkFrameWriter::Add(const rm::Picture& picture, std::int64_t count) {
    video::VideoImage image;
    image.pixels = picture.rgba.data();
    image.width = picture.width;
    image.height = picture.height;
    image.stride = static_cast<std::ptrdiff_t>(picture.width) * 4;
    image.order = video::PixelOrder::kRgba;
    if (picture.rgba.size() != static_cast<std::size_t>(image.stride) * static_cast<std::size_t>(picture.height)) {
        m_problem = "a picture of the walk could not be read";
        return false;
    }
    if (m_encoder.AddFrame(image, count) != video::VideoStatus::kOk) {
        m_problem = m_encoder.Problem();
        return false;
    }
    return true;
}

bool WalkFrameWriter::Write(const WalkShot& shot, std::int64_t untilMs, const WalkShot* next) {
    std::int64_t frame = FrameAtOrAfter(shot.atMs, m_fps);
    const std::int64_t end = FrameAtOrAfter(untilMs, m_fps);
    if (frame >= end) return true;
    const bool glides = m_smooth && next != nullptr && next->walk == shot.walk &&
                        untilMs > shot.atMs && !SameView(shot.viewer, next->viewer);
    if (!glides) return Add(shot.picture, end - frame);
    if (frame * 1000 == shot.atMs * m_fps) {
        if (!Add(shot.picture, 1)) return false;
        ++frame;
    }
    const double span = static_cast<double>(untilMs - shot.atMs);
    for (; frame < end; ++frame) {
        const double startMs = static_cast<double>(frame) * 1000.0 / m_fps;
        const double s = (startMs - static_cast<double>(shot.atMs)) / span;
        if (!m_render(GlideBetween(shot.viewer, next->viewer, s), m_between)) {
            m_problem = "an in-between view could not be drawn";
            return false;
        }
        if (!Add(m_between, 1)) return false;
    }
    return true;
}

}  // namespace roamer::app
