#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace roamer::video {

enum class VideoStatus {
    kOk,
    kBadSize,       // odd, too small or too large for the encoder
    kBadFrameRate,  // outside 1..240 frames a second
    kNoEncoder,     // no H.264 encoder in the libraries
    kCannotWrite,   // the target's folder cannot take the file, or writing failed
    kEncodeFailed,  // the encoder refused a frame
    kNotOpen,       // a call that needs an open encoder
};

// How the bytes of one pixel are ordered in the rows handed to AddFrame.
enum class PixelOrder { kRgba, kBgra };

// One picture: `height` rows of `width` 4-byte pixels from the top, `stride` bytes apart.
struct VideoImage {
    const std::uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
    PixelOrder order = PixelOrder::kRgba;
};

// An H.264 video (yuv420p, BT.709) in an MP4 file with its index at the front, so it plays in
// browsers and on phones while it downloads. Frames come at a constant rate. The file is written
// beside the target under a temporary name and appears at the target only when Finish succeeds;
// Abandon, a failure or destroying the encoder before Finish leave the target as it was.
class VideoEncoder {
public:
    VideoEncoder();
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // Width and height must be even, 2 to 8192.
    VideoStatus Open(const std::string& targetPath, int width, int height, int framesPerSecond);
    // The picture for the next `count` frames; it is converted once however often it repeats.
    VideoStatus AddFrame(const VideoImage& image, std::int64_t count = 1);
    // Ends the stream, writes the index and renames the file to the target. At least one frame
    // must have been added.
    VideoStatus Finish();
    // Stops and removes the temporary file.
    void Abandon();

    bool IsOpen() const;
    std::int64_t FramesWritten() const;
    // What went wrong last, for a message; empty after success.
    const std::string& Problem() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
    std::string m_problem;
};

// The name of a status, for messages.
const char* StatusText(VideoStatus status);

}  // namespace roamer::video
