#include "platform/video/video_encoder.h"

#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/fs/output_file.h"
#include "platform/video/ffmpeg_handles.h"
#include "platform/video/ffmpeg_log.h"
#include "platform/video/ordered_worker.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace roamer::video {
namespace {

// The encoder shares two cores with a software renderer: the superfast preset takes a third less
// time than veryfast for files about a tenth larger at this quality level, which keeps walls and
// textures clean.
constexpr const char* kPreset = "superfast";
constexpr const char* kQuality = "23";
constexpr int kLargestSide = 8192;
constexpr int kMostFramesPerSecond = 240;
// Converted pictures waiting for the encoder: enough to cover a slow frame, and 1.4 MB each at
// 720p.
constexpr std::size_t kPicturesWaiting = 3;

struct ScalerFree {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};
struct FormatFree {
    void operator()(AVFormatContext* f) const {
        if (f->pb != nullptr) avio_closep(&f->pb);
        avformat_free_context(f);
    }
};

}  // namespace

struct VideoEncoder::State {
    // First, so it goes last: the contexts close the file before it is removed or renamed.
    fs::OutputFile file;
    std::unique_ptr<AVFormatContext, FormatFree> format;
    std::unique_ptr<AVCodecContext, CodecFree> codec;
    std::unique_ptr<AVPacket, PacketFree> packet;
    std::unique_ptr<SwsContext, ScalerFree> scaler;
    PixelOrder scalerOrder = PixelOrder::kRgba;
    AVStream* stream = nullptr;  // owned by `format`
    std::string target;
    int width = 0;
    int height = 0;
    std::int64_t nextPts = 0;  // of the next frame given, encoded or still waiting
    // Written by the encoding thread's jobs, read after the worker has said a job failed.
    VideoStatus encodeStatus = VideoStatus::kOk;
    std::string encodeProblem;
    // Last, so it goes first: the thread stops before anything it uses goes away.
    std::unique_ptr<OrderedWorker> worker;
};

VideoEncoder::VideoEncoder() = default;
VideoEncoder::~VideoEncoder() { Abandon(); }

bool VideoEncoder::IsOpen() const { return m_state != nullptr; }
std::int64_t VideoEncoder::FramesWritten() const { return m_state ? m_state->nextPts : 0; }
const std::string& VideoEncoder::Problem() const { return m_problem; }

void VideoEncoder::Abandon() { m_state.reset(); }

VideoStatus VideoEncoder::Open(const std::string& targetPath, int width, int height, int fps) {
    Abandon();
    m_problem.clear();
    RouteFfmpegLog();
    TakeFfmpegError();
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    if (width < 2 || height < 2 || width > kLargestSide || height > kLargestSide ||
        width % 2 != 0 || height % 2 != 0) {
        m_problem = "the H.264 encoder takes even sizes from 2x2 to 8192x8192, not " + size;
        return VideoStatus::kBadSize;
    }
    if (fps < 1 || fps > kMostFramesPerSecond) {
        m_problem = "the frame rate must be 1 to 240, not " + std::to_string(fps);
        return VideoStatus::kBadFrameRate;
    }
    const AVCodec* h264 = avcodec_find_encoder_by_name("libx264");
    if (h264 == nullptr) h264 = avcodec_find_encoder(AV_CODEC_ID_H264);
    if (h264 == nullptr) {
        m_problem = "this FFmpeg has no H.264 encoder";
        return VideoStatus::kNoEncoder;
    }
    if (targetPath.empty()) {
        m_problem = "no file name for the video";
        return VideoStatus::kCannotWrite;
    }

    auto state = std::make_unique<State>();
    state->target = targetPath;
    // The muxer writes the temporary file by name, and reads it back to put the index first.
    errno = 0;
    if (!state->file.Open(targetPath)) {
        m_problem = "cannot write " + targetPath + ": " +
                    (errno != 0 ? std::strerror(errno) : "it is not a file");
        return VideoStatus::kCannotWrite;
    }
    // "file:" keeps a colon in the name from being read as another protocol.
    const std::string url = "file:" + state->file.TemporaryPath();

    AVFormatContext* format = nullptr;
    if (avformat_alloc_output_context2(&format, nullptr, "mp4", url.c_str()) < 0 || !format) {
        m_problem = "this FFmpeg cannot write MP4 files";
        return VideoStatus::kNoEncoder;
    }
    state->format.reset(format);

    state->codec.reset(avcodec_alloc_context3(h264));
    AVCodecContext* codec = state->codec.get();
    codec->width = width;
    codec->height = height;
    codec->time_base = AVRational{1, fps};
    codec->framerate = AVRational{fps, 1};
    codec->sample_aspect_ratio = AVRational{1, 1};
    codec->pix_fmt = AV_PIX_FMT_YUV420P;
    codec->gop_size = 2 * fps;  // a key frame every two seconds, for seeking
    codec->color_range = AVCOL_RANGE_MPEG;
    codec->colorspace = AVCOL_SPC_BT709;
    codec->color_primaries = AVCOL_PRI_BT709;
    codec->color_trc = AVCOL_TRC_BT709;
    codec->thread_count = 0;
    if (format->oformat->flags & AVFMT_GLOBALHEADER) codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    av_opt_set(codec->priv_data, "preset", kPreset, 0);
    av_opt_set(codec->priv_data, "crf", kQuality, 0);
    if (const int error = avcodec_open2(codec, h264, nullptr); error < 0) {
        const std::string why = TakeFfmpegError();
        m_problem = "the H.264 encoder refuses " + size + " (" +
                    (why.empty() ? FfmpegErrorText(error) : why) + ")";
        return VideoStatus::kBadSize;
    }

    state->stream = avformat_new_stream(format, nullptr);
    if (state->stream == nullptr ||
        avcodec_parameters_from_context(state->stream->codecpar, codec) < 0) {
        m_problem = "the video stream cannot be set up";
        return VideoStatus::kEncodeFailed;
    }
    state->stream->time_base = codec->time_base;
    state->stream->avg_frame_rate = codec->framerate;

    if (const int error = avio_open(&format->pb, url.c_str(), AVIO_FLAG_WRITE); error < 0) {
        m_problem = "cannot write " + targetPath + ": " + FfmpegErrorText(error);
        return VideoStatus::kCannotWrite;
    }
    AVDictionary* options = nullptr;
    av_dict_set(&options, "movflags", "+faststart", 0);
    const int headerError = avformat_write_header(format, &options);
    av_dict_free(&options);
    if (headerError < 0) {
        m_problem = "cannot write " + targetPath + ": " + FfmpegErrorText(headerError);
        return VideoStatus::kCannotWrite;
    }

    state->packet.reset(av_packet_alloc());
    if (!state->packet) {
        m_problem = "out of memory";
        return VideoStatus::kEncodeFailed;
    }
    state->width = width;
    state->height = height;
    // The encoder works on a thread of its own, so that the next picture is drawn meanwhile.
    state->worker = std::make_unique<OrderedWorker>(kPicturesWaiting);
    m_state = std::move(state);
    return VideoStatus::kOk;
}

namespace {

// Moves every packet the encoder has ready into the file.
VideoStatus WritePackets(AVCodecContext* codec, AVStream* stream, AVFormatContext* format,
                         AVPacket* packet, std::string& problem) {
    for (;;) {
        const int received = avcodec_receive_packet(codec, packet);
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return VideoStatus::kOk;
        if (received < 0) {
            problem = "the H.264 encoder failed: " + FfmpegErrorText(received);
            return VideoStatus::kEncodeFailed;
        }
        if (packet->duration == 0) packet->duration = 1;  // one frame at the constant rate
        av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
        packet->stream_index = stream->index;
        if (const int written = av_interleaved_write_frame(format, packet); written < 0) {
            problem = "writing the video failed: " + FfmpegErrorText(written);
            return VideoStatus::kCannotWrite;
        }
    }
}

}  // namespace

namespace {

// A picture of its own for every AddFrame: the one before may still wait for the encoder.
// The codec context is not read for it: the encoding thread may be using it.
std::shared_ptr<AVFrame> NewPicture(int width, int height) {
    std::shared_ptr<AVFrame> frame(av_frame_alloc(), FrameFree());
    if (!frame) return nullptr;
    frame->format = AV_PIX_FMT_YUV420P;
    frame->width = width;
    frame->height = height;
    frame->color_range = AVCOL_RANGE_MPEG;
    frame->colorspace = AVCOL_SPC_BT709;
    frame->color_primaries = AVCOL_PRI_BT709;
    frame->color_trc = AVCOL_TRC_BT709;
    if (av_frame_get_buffer(frame.get(), 0) < 0) return nullptr;
    return frame;
}

}  // namespace

VideoStatus VideoEncoder::AddFrame(const VideoImage& image, std::int64_t count) {
    if (!m_state) {
        m_problem = "the video is not open";
        return VideoStatus::kNotOpen;
    }
    State& s = *m_state;
    if (image.pixels == nullptr || image.width != s.width || image.height != s.height ||
        image.stride < static_cast<std::ptrdiff_t>(image.width) * 4 ||
        image.stride > static_cast<std::ptrdiff_t>(INT32_MAX)) {
        m_problem = "a picture of the wrong size for the video";
        return VideoStatus::kBadSize;
    }
    if (count < 1) return VideoStatus::kOk;
    if (!s.scaler || s.scalerOrder != image.order) {
        const AVPixelFormat from =
            image.order == PixelOrder::kRgba ? AV_PIX_FMT_RGBA : AV_PIX_FMT_BGRA;
        s.scaler.reset(sws_getContext(s.width, s.height, from, s.width, s.height,
                                      AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr,
                                      nullptr));
        if (!s.scaler) {
            m_problem = "the colour converter cannot be set up";
            return VideoStatus::kEncodeFailed;
        }
        // Full-range RGB in, limited-range BT.709 out, as the stream says.
        sws_setColorspaceDetails(s.scaler.get(), sws_getCoefficients(SWS_CS_DEFAULT), 1,
                                 sws_getCoefficients(SWS_CS_ITU709), 0, 0, 1 << 16, 1 << 16);
        s.scalerOrder = image.order;
    }
    std::shared_ptr<AVFrame> frame = NewPicture(s.width, s.height);
    if (!frame) {
        m_problem = "out of memory";
        return VideoStatus::kEncodeFailed;
    }
    // Converted here, as the caller's pixels are only valid for the call; encoded on the
    // worker, each repeat of the picture one frame.
    const std::uint8_t* rows[1] = {image.pixels};
    const int strides[1] = {static_cast<int>(image.stride)};
    sws_scale(s.scaler.get(), rows, strides, 0, image.height, frame->data, frame->linesize);
    const std::int64_t first = s.nextPts;
    const bool taken = s.worker->Submit([&s, frame, first, count] {
        for (std::int64_t i = 0; i < count; ++i) {
            frame->pts = first + i;
            if (const int sent = avcodec_send_frame(s.codec.get(), frame.get()); sent < 0) {
                s.encodeProblem = "the H.264 encoder failed: " + FfmpegErrorText(sent);
                s.encodeStatus = VideoStatus::kEncodeFailed;
                return false;
            }
            s.encodeStatus = WritePackets(s.codec.get(), s.stream, s.format.get(),
                                          s.packet.get(), s.encodeProblem);
            if (s.encodeStatus != VideoStatus::kOk) return false;
        }
        return true;
    });
    if (!taken) {
        m_problem = s.encodeProblem;
        return s.encodeStatus;
    }
    s.nextPts += count;
    return VideoStatus::kOk;
}

VideoStatus VideoEncoder::Finish() {
    if (!m_state) {
        m_problem = "the video is not open";
        return VideoStatus::kNotOpen;
    }
    State& s = *m_state;
    if (s.nextPts == 0) {
        m_problem = "a video needs at least one frame";
        Abandon();
        return VideoStatus::kEncodeFailed;
    }
    if (!s.worker->Drain()) {
        m_problem = s.encodeProblem;
        const VideoStatus failed = s.encodeStatus;
        Abandon();
        return failed;
    }
    // The worker is idle from here: the rest of the stream is written on this thread.
    avcodec_send_frame(s.codec.get(), nullptr);
    VideoStatus status =
        WritePackets(s.codec.get(), s.stream, s.format.get(), s.packet.get(), m_problem);
    if (status == VideoStatus::kOk) {
        // The index moves to the front here, which reads the file back once.
        if (const int error = av_write_trailer(s.format.get()); error < 0) {
            m_problem = "cannot finish " + s.target + ": " + FfmpegErrorText(error);
            status = VideoStatus::kCannotWrite;
        }
    }
    if (status == VideoStatus::kOk && avio_closep(&s.format->pb) < 0) {
        m_problem = "cannot finish " + s.target;
        status = VideoStatus::kCannotWrite;
    }
    if (status == VideoStatus::kOk && !s.file.Commit()) {
        m_problem = "cannot write " + s.target + ": " + std::strerror(errno);
        status = VideoStatus::kCannotWrite;
    }
    Abandon();
    if (status == VideoStatus::kOk) m_problem.clear();
    return status;
}

const char* StatusText(VideoStatus status) {
    switch (status) {
        case VideoStatus::kOk: return "ok";
        case VideoStatus::kBadSize: return "bad size";
        case VideoStatus::kBadFrameRate: return "bad frame rate";
        case VideoStatus::kNoEncoder: return "no encoder";
        case VideoStatus::kCannotWrite: return "cannot write";
        case VideoStatus::kEncodeFailed: return "encoding failed";
        case VideoStatus::kNotOpen: return "not open";
    }
    return "unknown";
}

}  // namespace roamer::video
