#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace roamer::video {

// What a video file says about its first video stream.
struct VideoFacts {
    std::string codec;        // "h264"
    std::string pixelFormat;  // "yuv420p"
    int width = 0;
    int height = 0;
    double framesPerSecond = 0.0;
    double durationSeconds = 0.0;
    std::int64_t frames = 0;  // as the container counts them; 0 when it does not
};

// Reads a video back: its facts, and the picture shown at a given time, as RGBA rows from the
// top. For checking what was written; it decodes from the start for every picture asked for.
class VideoReader {
public:
    VideoReader();
    ~VideoReader();
    VideoReader(const VideoReader&) = delete;
    VideoReader& operator=(const VideoReader&) = delete;

    bool Open(const std::string& path);
    const VideoFacts& Facts() const { return m_facts; }
    // The frame on screen at `seconds` from the start: the last one that starts at or before it.
    bool PictureAt(double seconds, std::vector<std::uint8_t>& rgba);
    // Every frame's start time in seconds, in display order.
    bool FrameTimes(std::vector<double>& seconds);
    const std::string& Problem() const { return m_problem; }

private:
    struct State;
    std::unique_ptr<State> m_state;
    VideoFacts m_facts;
    std::string m_problem;
};

}  // namespace roamer::video
