// Demuxing, decoding, picture conversion and sound resampling of one movie.
#include "platform/av/av_movie.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/imgutils.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <deque>
#include <iterator>
#include <utility>

#include "platform/av/av_input.h"

namespace tqvPlatform {
namespace {

// Sound tracks are played only at rates and channel counts that sound cards have: the
// resampler's set-up for an absurd rate ratio alone takes seconds.
constexpr int kLowestRate = 4000;
constexpr int kHighestRate = 192000;
constexpr int kMostChannels = 8;
bool plausibleSound(int rate, int channels) {
  return rate >= kLowestRate && rate <= kHighestRate && channels >= 1 && channels <= kMostChannels;
}

constexpr int32_t kLargestSide = 2048;
constexpr int64_t kLargestFrameCount = int64_t{1} << 30;
// Picture packets read ahead while looking for sound stored after them.
constexpr size_t kPacketsAhead = 256;

AVCodecContext* openCodec(const AVStream* stream, const AVCodec* codec, int& status) {
  AVCodecContext* context = avcodec_alloc_context3(codec);
  if (context == nullptr) {
    status = AVERROR(ENOMEM);
    return nullptr;
  }
  status = avcodec_parameters_to_context(context, stream->codecpar);
  // One thread: the movie's own decoding thread is the parallelism.
  context->thread_count = 1;
  if (status >= 0) status = avcodec_open2(context, codec, nullptr);
  if (status < 0) avcodec_free_context(&context);
  return context;
}

}  // namespace

struct AvMovie::Codecs {
  ~Codecs() {
    dropPictures();
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&video);
    avcodec_free_context(&sound);
    sws_freeContext(scaler);
    swr_free(&resampler);
  }
  void dropPictures() {
    for (AVPacket*& kept : pictures) av_packet_free(&kept);
    pictures.clear();
  }
  std::unique_ptr<AvInput> input;
  int videoIndex = -1;
  int soundIndex = -1;
  AVCodecContext* video = nullptr;
  AVCodecContext* sound = nullptr;
  AVPacket* packet = nullptr;
  AVFrame* frame = nullptr;
  SwsContext* scaler = nullptr;
  SwrContext* resampler = nullptr;
  int32_t resampledRate = 0;
  int32_t resampledChannels = 0;
  // What the resampler reads: the frames' own rate, sample format and channel count.
  int inRate = 0;
  int inFormat = -1;
  int inChannels = 0;
  std::vector<int16_t> samples;
  int64_t videoStart = 0;   // the video stream's first time stamp
  int64_t lastNumber = -1;  // of the last picture, for pictures without a time stamp
  double soundFrom = 0;     // seconds from the video's start; earlier sound is dropped
  bool drained = false;
  // Picture packets read ahead of their decoding, and whether the container has no more.
  std::deque<AVPacket*> pictures;
  bool inputEnded = false;
  // Seeking: the frame asked for, whether the first picture after the seek is still to
  // come, and how many seeks further back have been tried.
  int64_t target = 0;
  bool awaitingFirst = false;
  int attempt = 0;
};

AvMovie::AvMovie() : av_(std::make_unique<Codecs>()) {}
AvMovie::~AvMovie() = default;

namespace {

// Counts the video packets of the whole container (MPEG files carry no frame count).
int64_t countPackets(AVFormatContext* format, int videoIndex) {
  AVPacket* packet = av_packet_alloc();
  if (packet == nullptr) return 0;
  int64_t count = 0;
  while (av_read_frame(format, packet) >= 0) {
    if (packet->stream_index == videoIndex && count < kLargestFrameCount) ++count;
    av_packet_unref(packet);
  }
  av_packet_free(&packet);
  return count;
}

}  // namespace

std::unique_ptr<AvMovie> AvMovie::open(const std::string& path,
                                       std::shared_ptr<const std::string> bytes,
                                       MovieContainer container, MovieFailure& failure) {
  std::unique_ptr<AvMovie> movie(new AvMovie());
  Codecs& av = *movie->av_;
  std::string error;
  av.input = AvInput::open(path, bytes, container, error);
  if (av.input == nullptr) {
    failure = {kMovieUnreadable, "cannot read the movie: " + error};
    return nullptr;
  }
  AVFormatContext* format = av.input->format();
  av.videoIndex = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  if (av.videoIndex < 0) {
    failure = {kMovieNoVideo, "the movie has no pictures"};
    return nullptr;
  }
  AVStream* stream = format->streams[av.videoIndex];
  MovieInfo& info = movie->info_;
  info.codec = avcodec_get_name(stream->codecpar->codec_id);
  info.width = stream->codecpar->width;
  info.height = stream->codecpar->height;
  if (info.width < 1 || info.height < 1 || info.width > kLargestSide ||
      info.height > kLargestSide) {
    failure = {kMovieUnreadable, "pictures of " + std::to_string(info.width) + "x" +
                                     std::to_string(info.height) + " pixels"};
    return nullptr;
  }
  const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
  if (codec == nullptr) {
    failure = {kMovieNoDecoder, "no decoder for pictures coded as " + info.codec};
    return nullptr;
  }
  AVRational rate = av_guess_frame_rate(format, stream, nullptr);
  if (rate.num > 0 && rate.den > 0 && av_q2d(rate) >= 1 && av_q2d(rate) <= 240) {
    info.rateNum = rate.num;
    info.rateDen = rate.den;
  }
  av.videoStart = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
  info.frameCount = stream->nb_frames > 0 ? std::min(stream->nb_frames, kLargestFrameCount) : 0;
  if (info.frameCount == 0) {
    info.frameCount = countPackets(format, av.videoIndex);
    // Read again from the start: containers without an index do not all seek back.
    av.input = AvInput::open(path, bytes, container, error);
    if (av.input == nullptr) {
      failure = {kMovieUnreadable, "cannot read the movie: " + error};
      return nullptr;
    }
    format = av.input->format();
    stream = format->streams[av.videoIndex];
  }
  if (info.frameCount == 0) {
    failure = {kMovieNoVideo, "the movie has no pictures"};
    return nullptr;
  }
  int status = 0;
  av.video = openCodec(stream, codec, status);
  if (av.video == nullptr) {
    failure = {kMovieBadDecoder,
               "the " + info.codec + " decoder refused the movie: " + avErrorText(status)};
    return nullptr;
  }
  const AVCodec* soundCodec = nullptr;
  av.soundIndex =
      av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, av.videoIndex, &soundCodec, 0);
  if (av.soundIndex >= 0 && soundCodec != nullptr) {
    av.sound = openCodec(format->streams[av.soundIndex], soundCodec, status);
  }
  if (av.sound == nullptr ||
      !plausibleSound(av.sound->sample_rate, av.sound->ch_layout.nb_channels)) {
    avcodec_free_context(&av.sound);
    av.soundIndex = -1;
  }
  info.hasSound = av.sound != nullptr;
  av.packet = av_packet_alloc();
  av.frame = av_frame_alloc();
  if (av.packet == nullptr || av.frame == nullptr) {
    failure = {kMovieBadDecoder, "out of memory"};
    return nullptr;
  }
  return movie;
}

int32_t AvMovie::soundRate() const {
  return av_->sound != nullptr ? av_->sound->sample_rate : 0;
}

int32_t AvMovie::soundChannels() const {
  return av_->sound != nullptr ? std::min(av_->sound->ch_layout.nb_channels, 2) : 0;
}

void AvMovie::seekTo(int64_t frame, bool toStart) {
  Codecs& av = *av_;
  AVFormatContext* format = av.input->format();
  AVStream* stream = format->streams[av.videoIndex];
  AVRational frameTime{info_.rateDen, info_.rateNum};
  int64_t stamp = av.videoStart + av_rescale_q(toStart ? 0 : frame, frameTime, stream->time_base);
  if (av_seek_frame(format, av.videoIndex, stamp, AVSEEK_FLAG_BACKWARD) < 0) {
    av_seek_frame(format, -1, 0, AVSEEK_FLAG_BYTE);  // read from the start instead
  }
  avcodec_flush_buffers(av.video);
  if (av.sound != nullptr) avcodec_flush_buffers(av.sound);
  av.lastNumber = -1;
  av.awaitingFirst = !toStart;
  av.drained = false;
  av.inputEnded = false;
  av.dropPictures();
}

void AvMovie::restart(int64_t first) {
  Codecs& av = *av_;
  av.target = first;
  av.attempt = 0;
  av.soundFrom = static_cast<double>(first) * info_.rateDen / info_.rateNum;
  seekTo(first, first == 0);
}

bool AvMovie::convert(std::vector<VideoFrame>& frames) {
  Codecs& av = *av_;
  AVFrame* f = av.frame;
  if (f->width < 1 || f->height < 1 || f->format < 0) return false;
  av.scaler = sws_getCachedContext(av.scaler, f->width, f->height,
                                   static_cast<AVPixelFormat>(f->format), info_.width, info_.height,
                                   AV_PIX_FMT_0RGB32, SWS_BILINEAR, nullptr, nullptr, nullptr);
  if (av.scaler == nullptr) return false;
  VideoFrame out;
  AVStream* stream = av.input->format()->streams[av.videoIndex];
  int64_t stamp = f->best_effort_timestamp;
  if (stamp != AV_NOPTS_VALUE) {
    out.number = av_rescale_q_rnd(stamp - av.videoStart, stream->time_base,
                                  AVRational{info_.rateDen, info_.rateNum}, AV_ROUND_NEAR_INF);
  } else if (av.lastNumber >= 0) {
    out.number = av.lastNumber + 1;
  } else {
    return false;  // after a seek, a picture without a time cannot be placed
  }
  if (std::exchange(av.awaitingFirst, false) && out.number > av.target) {
    // The seek went past the frame (containers without an index seek by guesswork):
    // further back each time, at last from the start.
    constexpr int64_t kSecondsBack[] = {1, 5, 30};
    int attempt = av.attempt++;
    bool toStart = attempt >= static_cast<int>(std::size(kSecondsBack));
    int64_t back = toStart ? 0 : kSecondsBack[attempt] * info_.rateNum / info_.rateDen;
    seekTo(std::max<int64_t>(av.target - back, 0), toStart || av.target <= back);
    return false;
  }
  av.lastNumber = out.number;
  out.width = info_.width;
  out.height = info_.height;
  out.pixels.resize(static_cast<size_t>(out.width) * out.height);
  uint8_t* planes[4] = {reinterpret_cast<uint8_t*>(out.pixels.data()), nullptr, nullptr, nullptr};
  int strides[4] = {out.width * 4, 0, 0, 0};
  sws_scale(av.scaler, f->data, f->linesize, 0, f->height, planes, strides);
  frames.push_back(std::move(out));
  return true;
}

void AvMovie::decodeSound(AudioStream* sound) {
  Codecs& av = *av_;
  AVFrame* f = av.frame;
  // The resampler reads each frame as the frame describes itself: a damaged track can
  // change its rate, sample format or channels on the way, and reading a frame by another
  // track's description runs past its buffers. Rates no sound card plays are dropped.
  int channels = f->ch_layout.nb_channels;
  if (!plausibleSound(f->sample_rate, channels) || f->format < 0 || f->nb_samples < 1) return;
  if (av.resampler == nullptr || av.resampledRate != sound->rate() ||
      av.resampledChannels != sound->channels() || av.inRate != f->sample_rate ||
      av.inFormat != f->format || av.inChannels != channels) {
    swr_free(&av.resampler);
    AVChannelLayout layout{};
    av_channel_layout_default(&layout, sound->channels());
    if (swr_alloc_set_opts2(&av.resampler, &layout, AV_SAMPLE_FMT_S16, sound->rate(), &f->ch_layout,
                            static_cast<AVSampleFormat>(f->format), f->sample_rate, 0,
                            nullptr) < 0 ||
        swr_init(av.resampler) < 0) {
      swr_free(&av.resampler);
      return;
    }
    av.resampledRate = sound->rate();
    av.resampledChannels = sound->channels();
    av.inRate = f->sample_rate;
    av.inFormat = f->format;
    av.inChannels = channels;
  }
  int room = swr_get_out_samples(av.resampler, f->nb_samples);
  if (room <= 0) return;
  av.samples.resize(static_cast<size_t>(room) * av.resampledChannels);
  auto* out = reinterpret_cast<uint8_t*>(av.samples.data());
  int made = swr_convert(av.resampler, &out, room, const_cast<const uint8_t**>(f->extended_data),
                         f->nb_samples);
  if (made <= 0) return;
  // Sound before the first frame asked for is not heard.
  int skip = 0;
  if (f->pts != AV_NOPTS_VALUE) {
    AVStream* stream = av.input->format()->streams[av.soundIndex];
    AVStream* video = av.input->format()->streams[av.videoIndex];
    double start = f->pts * av_q2d(stream->time_base) - av.videoStart * av_q2d(video->time_base);
    if (start < av.soundFrom) {
      skip = static_cast<int>(std::min<double>((av.soundFrom - start) * av.resampledRate, made));
    }
  }
  if (skip < made) {
    sound->queue(av.samples.data() + static_cast<size_t>(skip) * av.resampledChannels,
                 static_cast<size_t>(made - skip));
  }
}

AvMovie::Step AvMovie::step(std::vector<VideoFrame>& frames, AudioStream* sound, bool pictures) {
  Codecs& av = *av_;
  if (av.drained) return Step::Done;
  if (pictures && !av.pictures.empty()) {
    AVPacket* packet = av.pictures.front();
    av.pictures.pop_front();
    // A damaged packet is passed over; the pictures after it still come.
    if (avcodec_send_packet(av.video, packet) >= 0) {
      int attempt = av.attempt;
      while (avcodec_receive_frame(av.video, av.frame) >= 0) {
        convert(frames);
        av_frame_unref(av.frame);
        if (av.attempt != attempt) break;  // sought again: the decoder was emptied
      }
    }
    av_packet_free(&packet);
    return Step::Busy;
  }
  if (av.inputEnded) {
    if (!pictures) return Step::Waiting;
    // The end: the decoder gives up the pictures it still holds.
    avcodec_send_packet(av.video, nullptr);
    while (avcodec_receive_frame(av.video, av.frame) >= 0) {
      convert(frames);
      av_frame_unref(av.frame);
    }
    av.drained = true;
    return Step::Done;
  }
  if (av.pictures.size() >= kPacketsAhead) return pictures ? Step::Busy : Step::Waiting;
  if (av_read_frame(av.input->format(), av.packet) < 0) {
    av.inputEnded = true;
    return Step::Busy;
  }
  if (av.packet->stream_index == av.videoIndex) {
    AVPacket* kept = av_packet_alloc();
    if (kept != nullptr) {
      av_packet_move_ref(kept, av.packet);
      av.pictures.push_back(kept);
    }
  } else if (av.packet->stream_index == av.soundIndex && sound != nullptr && av.sound != nullptr) {
    if (avcodec_send_packet(av.sound, av.packet) >= 0) {
      while (avcodec_receive_frame(av.sound, av.frame) >= 0) {
        decodeSound(sound);
        av_frame_unref(av.frame);
      }
    }
  }
  av_packet_unref(av.packet);
  return Step::Busy;
}

}  // namespace tqvPlatform
