#include "desktop/MovieDecoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include "os/Audio.h"

namespace desktop {
namespace {

// Pictures larger than this are refused: a damaged header must not ask for gigabytes.
constexpr int kMaxSide = 8192;
// Sound decoded ahead of the picture is kept for at most this many seconds; older sound is
// dropped.
constexpr size_t kMaxQueuedSoundFrames = 10 * os::kAudioRate;

struct CodecDeleter {
    void operator()(AVCodecContext* codec) const { avcodec_free_context(&codec); }
};
struct FrameDeleter {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketDeleter {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};

std::unique_ptr<AVCodecContext, CodecDeleter> OpenCodec(AVStream* stream) {
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec) return nullptr;
    std::unique_ptr<AVCodecContext, CodecDeleter> context(avcodec_alloc_context3(codec));
    if (!context || avcodec_parameters_to_context(context.get(), stream->codecpar) < 0 ||
        avcodec_open2(context.get(), codec, nullptr) < 0)
        return nullptr;
    return context;
}

} // namespace

struct MovieDecoder::Streams {
    AVFormatContext* format = nullptr;
    int videoIndex = -1, soundIndex = -1;
    std::unique_ptr<AVCodecContext, CodecDeleter> video, sound;
    std::unique_ptr<AVFrame, FrameDeleter> frame{av_frame_alloc()};
    std::unique_ptr<AVPacket, PacketDeleter> packet{av_packet_alloc()};
    SwsContext* scaler = nullptr;
    SwrContext* resampler = nullptr;
    bool ended = false;

    ~Streams() {
        sws_freeContext(scaler);
        swr_free(&resampler);
        avformat_close_input(&format);
    }
};

MovieDecoder::MovieDecoder() = default;
MovieDecoder::~MovieDecoder() = default;

bool MovieDecoder::Open(const std::string& path) {
    // Damaged files are answered by the result; the library's own warnings stay quiet.
    av_log_set_level(AV_LOG_FATAL);
    streams_ = std::make_unique<Streams>();
    Streams& s = *streams_;
    if (avformat_open_input(&s.format, path.c_str(), nullptr, nullptr) < 0) return false;
    if (avformat_find_stream_info(s.format, nullptr) < 0) return false;
    s.videoIndex = av_find_best_stream(s.format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (s.videoIndex < 0) return false;
    s.video = OpenCodec(s.format->streams[s.videoIndex]);
    if (!s.video) return false;
    width_ = s.video->width;
    height_ = s.video->height;
    if (width_ <= 0 || height_ <= 0 || width_ > kMaxSide || height_ > kMaxSide) return false;

    s.soundIndex = av_find_best_stream(s.format, AVMEDIA_TYPE_AUDIO, -1, s.videoIndex, nullptr, 0);
    if (s.soundIndex >= 0) s.sound = OpenCodec(s.format->streams[s.soundIndex]);
    if (s.sound) {
        AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        if (swr_alloc_set_opts2(&s.resampler, &stereo, AV_SAMPLE_FMT_S16, os::kAudioRate,
                                &s.sound->ch_layout, s.sound->sample_fmt, s.sound->sample_rate, 0,
                                nullptr) < 0 ||
            swr_init(s.resampler) < 0)
            s.sound.reset();
    }
    return true;
}

bool MovieDecoder::HasSound() const {
    return streams_ && streams_->sound;
}

bool MovieDecoder::NextFrame(VideoFrame& frame) {
    if (!streams_ || !streams_->video) return false;
    Streams& s = *streams_;
    for (;;) {
        // A frame the decoder already holds comes first.
        bool gotFrame = false;
        if (!DecodeVideoPacket(frame, gotFrame)) return false;
        if (gotFrame) return true;
        if (s.ended) return false;
        const int read = av_read_frame(s.format, s.packet.get());
        if (read < 0) {
            // The end: drain what the decoder still holds.
            s.ended = true;
            avcodec_send_packet(s.video.get(), nullptr);
            continue;
        }
        if (s.packet->stream_index == s.videoIndex) {
            const int sent = avcodec_send_packet(s.video.get(), s.packet.get());
            av_packet_unref(s.packet.get());
            if (sent < 0 && sent != AVERROR(EAGAIN)) return false;
        } else if (s.sound && s.packet->stream_index == s.soundIndex) {
            DecodeSoundPacket();
        } else {
            av_packet_unref(s.packet.get());
        }
    }
}

bool MovieDecoder::DecodeVideoPacket(VideoFrame& frame, bool& gotFrame) {
    Streams& s = *streams_;
    const int received = avcodec_receive_frame(s.video.get(), s.frame.get());
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return true;
    if (received < 0) return false;
    if (s.frame->width != width_ || s.frame->height != height_) return false;
    ConvertPicture(frame);
    const AVRational timeBase = s.format->streams[s.videoIndex]->time_base;
    const int64_t stamp = s.frame->best_effort_timestamp;
    frame.seconds = stamp == AV_NOPTS_VALUE ? 0.0 : stamp * av_q2d(timeBase);
    av_frame_unref(s.frame.get());
    gotFrame = true;
    return true;
}

void MovieDecoder::ConvertPicture(VideoFrame& frame) {
    Streams& s = *streams_;
    s.scaler = sws_getCachedContext(s.scaler, width_, height_,
                                    static_cast<AVPixelFormat>(s.frame->format), width_, height_,
                                    AV_PIX_FMT_RGBA, SWS_BILINEAR, nullptr, nullptr, nullptr);
    frame.rgba.resize(static_cast<size_t>(width_) * height_ * 4);
    if (!s.scaler) return;
    uint8_t* planes[1] = {frame.rgba.data()};
    const int strides[1] = {width_ * 4};
    sws_scale(s.scaler, s.frame->data, s.frame->linesize, 0, height_, planes, strides);
}

void MovieDecoder::DecodeSoundPacket() {
    Streams& s = *streams_;
    const int sent = avcodec_send_packet(s.sound.get(), s.packet.get());
    av_packet_unref(s.packet.get());
    if (sent < 0) return;
    while (avcodec_receive_frame(s.sound.get(), s.frame.get()) == 0) {
        const int room = swr_get_out_samples(s.resampler, s.frame->nb_samples);
        if (room > 0) {
            std::vector<int16_t> converted(static_cast<size_t>(room) * os::kAudioChannels);
            uint8_t* out[1] = {reinterpret_cast<uint8_t*>(converted.data())};
            const int got = swr_convert(s.resampler, out, room,
                                        const_cast<const uint8_t**>(s.frame->extended_data),
                                        s.frame->nb_samples);
            if (got > 0) {
                std::lock_guard<std::mutex> lock(soundMutex_);
                sound_.insert(sound_.end(), converted.begin(),
                              converted.begin() + static_cast<ptrdiff_t>(got) * os::kAudioChannels);
                const size_t limit = kMaxQueuedSoundFrames * os::kAudioChannels;
                if (sound_.size() > limit)
                    sound_.erase(sound_.begin(),
                                 sound_.begin() + static_cast<ptrdiff_t>(sound_.size() - limit));
            }
        }
        av_frame_unref(s.frame.get());
    }
}

bool MovieDecoder::Rewind() {
    if (!streams_ || !streams_->video) return false;
    Streams& s = *streams_;
    if (av_seek_frame(s.format, s.videoIndex, 0, AVSEEK_FLAG_BACKWARD) < 0 &&
        avformat_seek_file(s.format, -1, INT64_MIN, 0, INT64_MAX, 0) < 0)
        return false;
    avcodec_flush_buffers(s.video.get());
    if (s.sound) avcodec_flush_buffers(s.sound.get());
    s.ended = false;
    std::lock_guard<std::mutex> lock(soundMutex_);
    sound_.clear();
    return true;
}

size_t MovieDecoder::TakeSound(int16_t* samples, size_t frameCount) {
    std::lock_guard<std::mutex> lock(soundMutex_);
    const size_t count = std::min(frameCount * os::kAudioChannels, sound_.size());
    std::copy(sound_.begin(), sound_.begin() + static_cast<ptrdiff_t>(count), samples);
    sound_.erase(sound_.begin(), sound_.begin() + static_cast<ptrdiff_t>(count));
    return count / os::kAudioChannels;
}

size_t MovieDecoder::SoundQueued() {
    std::lock_guard<std::mutex> lock(soundMutex_);
    return sound_.size() / os::kAudioChannels;
}

} // namespace desktop
