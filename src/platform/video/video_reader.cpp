#include "platform/video/video_reader.h"

#include <functional>

#include "platform/video/ffmpeg_handles.h"
#include "platform/video/ffmpeg_log.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace roamer::video {
namespace {

struct InputClose {
    void operator()(AVFormatContext* f) const { avformat_close_input(&f); }
};

int SwsColourSpace(AVColorSpace space) {
    switch (space) {
        case AVCOL_SPC_BT709: return SWS_CS_ITU709;
        case AVCOL_SPC_BT2020_NCL:
        case AVCOL_SPC_BT2020_CL: return SWS_CS_BT2020;
        default: return SWS_CS_DEFAULT;
    }
}

}  // namespace

struct VideoReader::State {
    std::unique_ptr<AVFormatContext, InputClose> format;
    std::unique_ptr<AVCodecContext, CodecFree> codec;
    int stream = -1;
    AVRational timeBase{1, 1};
    std::int64_t startPts = 0;
};

VideoReader::VideoReader() = default;
VideoReader::~VideoReader() = default;

bool VideoReader::Open(const std::string& path) {
    m_state.reset();
    m_facts = {};
    RouteFfmpegLog();
    auto state = std::make_unique<State>();
    AVFormatContext* format = nullptr;
    const std::string url = "file:" + path;
    if (const int error = avformat_open_input(&format, url.c_str(), nullptr, nullptr); error < 0) {
        m_problem = "cannot open " + path + ": " + FfmpegErrorText(error);
        return false;
    }
    state->format.reset(format);
    if (avformat_find_stream_info(format, nullptr) < 0) {
        m_problem = path + " has no readable streams";
        return false;
    }
    const AVCodec* decoder = nullptr;
    state->stream = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
    if (state->stream < 0 || decoder == nullptr) {
        m_problem = path + " has no video stream that can be decoded";
        return false;
    }
    const AVStream* stream = format->streams[state->stream];
    state->codec.reset(avcodec_alloc_context3(decoder));
    if (!state->codec || avcodec_parameters_to_context(state->codec.get(), stream->codecpar) < 0 ||
        avcodec_open2(state->codec.get(), decoder, nullptr) < 0) {
        m_problem = "the decoder of " + path + " cannot be opened";
        return false;
    }
    state->timeBase = stream->time_base;
    state->startPts = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;

    m_facts.codec = avcodec_get_name(stream->codecpar->codec_id);
    const char* pixels = av_get_pix_fmt_name(static_cast<AVPixelFormat>(stream->codecpar->format));
    m_facts.pixelFormat = pixels ? pixels : "";
    m_facts.width = stream->codecpar->width;
    m_facts.height = stream->codecpar->height;
    const AVRational rate = stream->avg_frame_rate.num ? stream->avg_frame_rate : stream->r_frame_rate;
    m_facts.framesPerSecond = rate.den ? av_q2d(rate) : 0.0;
    if (stream->duration != AV_NOPTS_VALUE)
        m_facts.durationSeconds = static_cast<double>(stream->duration) * av_q2d(stream->time_base);
    else if (format->duration != AV_NOPTS_VALUE)
        m_facts.durationSeconds = static_cast<double>(format->duration) / AV_TIME_BASE;
    m_facts.frames = stream->nb_frames;
    m_state = std::move(state);
    return true;
}

namespace {

// Decodes the stream from its start and hands every frame, with its start in seconds, to
// `visit` until it returns false.
bool DecodeFromStart(AVFormatContext* format, AVCodecContext* codec, int streamIndex,
                     AVRational timeBase, std::int64_t startPts,
                     const std::function<bool(AVFrame*, double)>& visit) {
    if (av_seek_frame(format, streamIndex, startPts, AVSEEK_FLAG_BACKWARD) < 0) return false;
    avcodec_flush_buffers(codec);
    std::unique_ptr<AVPacket, PacketFree> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameFree> frame(av_frame_alloc());
    if (!packet || !frame) return false;
    bool draining = false;
    for (;;) {
        if (!draining) {
            const int read = av_read_frame(format, packet.get());
            if (read < 0) {
                draining = true;
                avcodec_send_packet(codec, nullptr);
            } else {
                const bool ours = packet->stream_index == streamIndex;
                const int sent = ours ? avcodec_send_packet(codec, packet.get()) : 0;
                av_packet_unref(packet.get());
                if (sent < 0 && sent != AVERROR(EAGAIN)) return false;
            }
        }
        for (;;) {
            const int got = avcodec_receive_frame(codec, frame.get());
            if (got == AVERROR(EAGAIN)) break;
            if (got == AVERROR_EOF) return true;
            if (got < 0) return false;
            const std::int64_t pts = frame->best_effort_timestamp;
            const double seconds =
                pts == AV_NOPTS_VALUE ? 0.0 : static_cast<double>(pts - startPts) * av_q2d(timeBase);
            const bool more = visit(frame.get(), seconds);
            av_frame_unref(frame.get());
            if (!more) return true;
        }
    }
}

}  // namespace

bool VideoReader::FrameTimes(std::vector<double>& seconds) {
    seconds.clear();
    if (!m_state) return false;
    State& s = *m_state;
    return DecodeFromStart(s.format.get(), s.codec.get(), s.stream, s.timeBase, s.startPts,
                           [&](AVFrame*, double at) {
                               seconds.push_back(at);
                               return true;
                           });
}

bool VideoReader::PictureAt(double seconds, std::vector<std::uint8_t>& rgba) {
    if (!m_state) return false;
    State& s = *m_state;
    std::unique_ptr<AVFrame, FrameFree> shown(av_frame_alloc());
    bool found = false;
    // A microsecond of slack for the time base's rounding.
    const bool decoded = DecodeFromStart(
        s.format.get(), s.codec.get(), s.stream, s.timeBase, s.startPts,
        [&](AVFrame* frame, double at) {
            if (at > seconds + 1e-6) return false;
            av_frame_unref(shown.get());
            found = av_frame_ref(shown.get(), frame) == 0;
            return true;
        });
    if (!decoded || !found) {
        m_problem = "no frame at that time";
        return false;
    }
    const int w = shown->width;
    const int h = shown->height;
    SwsContext* scaler = sws_getContext(w, h, static_cast<AVPixelFormat>(shown->format), w, h,
                                        AV_PIX_FMT_RGBA, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (scaler == nullptr) return false;
    const int range = shown->color_range == AVCOL_RANGE_JPEG ? 1 : 0;
    sws_setColorspaceDetails(scaler, sws_getCoefficients(SwsColourSpace(shown->colorspace)), range,
                             sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
    rgba.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4u, 0);
    std::uint8_t* rows[1] = {rgba.data()};
    const int strides[1] = {w * 4};
    sws_scale(scaler, shown->data, shown->linesize, 0, h, rows, strides);
    sws_freeContext(scaler);
    return true;
}

}  // namespace roamer::video
