#include "platform/video/ffmpeg_log.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

extern "C" {
#include <libavutil/error.h>
#include <libavutil/log.h>
}

namespace roamer::video {
namespace {

std::mutex& LogMutex() {
    static std::mutex mutex;
    return mutex;
}

std::string& LastError() {
    static std::string text;
    return text;
}

void KeepErrors(void*, int level, const char* format, va_list arguments) {
    if (level > AV_LOG_ERROR) return;
    char line[512];
    std::vsnprintf(line, sizeof line, format, arguments);
    std::string text(line);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    const std::lock_guard<std::mutex> lock(LogMutex());
    LastError() = text;
}

}  // namespace

void RouteFfmpegLog() {
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_callback(KeepErrors); });
}

std::string TakeFfmpegError() {
    const std::lock_guard<std::mutex> lock(LogMutex());
    std::string text;
    text.swap(LastError());
    return text;
}

std::string FfmpegErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

}  // namespace roamer::video
