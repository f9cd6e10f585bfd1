// Encoding the benchmarks' movies into memory.
#include "bench/media/test_movies.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
}

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace movie_bench {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kSeconds = 4;

// Output into a string, seekable (the AVI muxer writes its index back at the start).
struct Sink {
  std::string bytes;
  int64_t at = 0;
  static int write(void* opaque, uint8_t* data, int size) {  // FFmpeg 5 does not say const
    auto* s = static_cast<Sink*>(opaque);
    if (s->at + size > static_cast<int64_t>(s->bytes.size())) s->bytes.resize(s->at + size);
    std::memcpy(s->bytes.data() + s->at, data, static_cast<size_t>(size));
    s->at += size;
    return size;
  }
  static int64_t seek(void* opaque, int64_t offset, int whence) {
    auto* s = static_cast<Sink*>(opaque);
    if ((whence & AVSEEK_SIZE) != 0) return static_cast<int64_t>(s->bytes.size());
    int64_t base = (whence & ~AVSEEK_FORCE) == SEEK_CUR   ? s->at
                   : (whence & ~AVSEEK_FORCE) == SEEK_END ? static_cast<int64_t>(s->bytes.size())
                                                          : 0;
    s->at = base + offset;
    return s->at;
  }
};

void fail(const char* what) {
  std::fprintf(stderr, "test movie: %s\n", what);
  std::exit(1);
}

// Frame `n` in the encoder's format: YUV 4:2:0 planes, or RGB555 for Video 1.
void paint(AVFrame* frame, int n) {
  uint32_t noise = static_cast<uint32_t>(n) * 2654435761u + 1;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      noise = noise * 1103515245 + 12345;
      int r = (x + 4 * n) & 0xFF;
      int g = (y + 3 * n) & 0xFF;
      int b = ((x + y) / 2 + static_cast<int>(noise >> 28)) & 0xFF;
      if (frame->format == AV_PIX_FMT_RGB555) {
        auto* row = reinterpret_cast<uint16_t*>(frame->data[0] + y * frame->linesize[0]);
        row[x] = static_cast<uint16_t>((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
      } else {
        frame->data[0][y * frame->linesize[0] + x] =
            static_cast<uint8_t>((r * 66 + g * 129 + b * 25) / 256 + 16);
        if (x % 2 == 0 && y % 2 == 0) {
          frame->data[1][y / 2 * frame->linesize[1] + x / 2] =
              static_cast<uint8_t>(128 + (b - g) / 4);
          frame->data[2][y / 2 * frame->linesize[2] + x / 2] =
              static_cast<uint8_t>(128 + (r - g) / 4);
        }
      }
    }
  }
}

struct Plan {
  const char* muxer;
  AVCodecID video;
  AVPixelFormat pixels;
  int rate;
  AVCodecID sound;
  AVSampleFormat samples;
  int sampleRate;
};

void encode(AVCodecContext* codec, AVFrame* frame, AVStream* stream, AVFormatContext* format) {
  if (avcodec_send_frame(codec, frame) < 0) fail("encoder refused a frame");
  AVPacket* packet = av_packet_alloc();
  while (avcodec_receive_packet(codec, packet) >= 0) {
    av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
    packet->stream_index = stream->index;
    av_interleaved_write_frame(format, packet);
  }
  av_packet_free(&packet);
}

TestMovie make(const Plan& plan) {
  av_log_set_level(AV_LOG_FATAL);  // the muxer's notes on buffer sizes are of no interest here
  Sink sink;
  AVFormatContext* format = nullptr;
  avformat_alloc_output_context2(&format, nullptr, plan.muxer, nullptr);
  if (format == nullptr) fail("no muxer");
  auto* block = static_cast<uint8_t*>(av_malloc(65536));
  format->pb = avio_alloc_context(block, 65536, 1, &sink, nullptr, Sink::write, Sink::seek);

  const AVCodec* videoCodec = avcodec_find_encoder(plan.video);
  AVCodecContext* video = avcodec_alloc_context3(videoCodec);
  video->width = kWidth;
  video->height = kHeight;
  video->pix_fmt = plan.pixels;
  video->time_base = AVRational{1, plan.rate};
  video->framerate = AVRational{plan.rate, 1};
  video->gop_size = 12;
  video->bit_rate = 2000000;
  if ((format->oformat->flags & AVFMT_GLOBALHEADER) != 0)
    video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  if (avcodec_open2(video, videoCodec, nullptr) < 0) fail("video encoder");
  AVStream* videoStream = avformat_new_stream(format, nullptr);
  avcodec_parameters_from_context(videoStream->codecpar, video);
  videoStream->time_base = video->time_base;

  const AVCodec* soundCodec = avcodec_find_encoder(plan.sound);
  AVCodecContext* sound = avcodec_alloc_context3(soundCodec);
  sound->sample_fmt = plan.samples;
  sound->sample_rate = plan.sampleRate;
  av_channel_layout_default(&sound->ch_layout, 1);
  sound->bit_rate = 64000;
  sound->time_base = AVRational{1, plan.sampleRate};
  if (avcodec_open2(sound, soundCodec, nullptr) < 0) fail("sound encoder");
  AVStream* soundStream = avformat_new_stream(format, nullptr);
  avcodec_parameters_from_context(soundStream->codecpar, sound);
  soundStream->time_base = sound->time_base;

  if (avformat_write_header(format, nullptr) < 0) fail("header");
  AVFrame* picture = av_frame_alloc();
  picture->format = plan.pixels;
  picture->width = kWidth;
  picture->height = kHeight;
  av_frame_get_buffer(picture, 0);
  AVFrame* tone = av_frame_alloc();
  tone->format = plan.samples;
  tone->sample_rate = plan.sampleRate;
  av_channel_layout_default(&tone->ch_layout, 1);
  tone->nb_samples = sound->frame_size > 0 ? sound->frame_size : 1024;
  av_frame_get_buffer(tone, 0);

  int frames = kSeconds * plan.rate;
  int64_t samples = 0;
  for (int n = 0; n < frames; ++n) {
    av_frame_make_writable(picture);
    paint(picture, n);
    picture->pts = n;
    encode(video, picture, videoStream, format);
    // Sound up to the time of this frame.
    while (samples * plan.rate < static_cast<int64_t>(n + 1) * plan.sampleRate) {
      av_frame_make_writable(tone);
      auto* out = reinterpret_cast<int16_t*>(tone->data[0]);
      for (int i = 0; i < tone->nb_samples; ++i) {
        out[i] =
            static_cast<int16_t>(8000 * std::sin(2 * M_PI * 440 * (samples + i) / plan.sampleRate));
      }
      tone->pts = samples;
      encode(sound, tone, soundStream, format);
      samples += tone->nb_samples;
    }
  }
  encode(video, nullptr, videoStream, format);
  encode(sound, nullptr, soundStream, format);
  av_write_trailer(format);
  av_frame_free(&picture);
  av_frame_free(&tone);
  avcodec_free_context(&video);
  avcodec_free_context(&sound);
  av_freep(&format->pb->buffer);  // the block, or what replaced it
  avio_context_free(&format->pb);
  avformat_free_context(format);
  return TestMovie{std::move(sink.bytes), frames, plan.rate};
}

}  // namespace

const TestMovie& mpegMovie() {
  static const TestMovie movie = make(Plan{"mpeg", AV_CODEC_ID_MPEG1VIDEO, AV_PIX_FMT_YUV420P, 25,
                                           AV_CODEC_ID_MP2, AV_SAMPLE_FMT_S16, 44100});
  return movie;
}

const TestMovie& aviMovie() {
  static const TestMovie movie = make(Plan{"avi", AV_CODEC_ID_MSVIDEO1, AV_PIX_FMT_RGB555, 15,
                                           AV_CODEC_ID_PCM_S16LE, AV_SAMPLE_FMT_S16, 22050});
  return movie;
}

}  // namespace movie_bench
