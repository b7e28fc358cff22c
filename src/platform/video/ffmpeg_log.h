#pragma once

#include <string>

namespace roamer::video {

// FFmpeg's libraries print to standard error by default (the encoder's statistics among them).
// Ours keep quiet: errors are kept for our own messages and everything else is dropped.
void RouteFfmpegLog();
// The last error the libraries reported since the last call, without its line end; empty if none.
std::string TakeFfmpegError();
// An FFmpeg error code as text.
std::string FfmpegErrorText(int code);

}  // namespace roamer::video
