// Movie decoding beside FFmpeg itself: our decoder (demuxing, decoding, conversion to the
// screen's pixels and hand-over to the UI thread, its own thread doing the work) against
// a bare libavcodec loop on the same 640x480 movies, each with frames per second and how
// much faster than the movie's own rate that is; and playing in real time, the share of
// one core the program then takes (decoding thread and UI thread, with every frame drawn
// into a 640x480 picture).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

#include "bench/common/ratio_reporter.h"
#include "bench/media/test_movies.h"
#include "media/image.h"
#include "media/image_blit.h"
#include "media/image_factory.h"
#include "platform/movie.h"

namespace {

using movie_bench::TestMovie;
using tqvPlatform::MovieContainer;

const TestMovie& movieOf(const benchmark::State& state) {
  return state.range(0) == 0 ? movie_bench::mpegMovie() : movie_bench::aviMovie();
}
MovieContainer containerOf(const benchmark::State& state) {
  return state.range(0) == 0 ? MovieContainer::Mpeg : MovieContainer::Avi;
}

void report(benchmark::State& state, const TestMovie& movie, int64_t frames) {
  state.SetItemsProcessed(frames);
  state.counters["fps"] =
      benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
  state.counters["x_realtime"] =
      benchmark::Counter(static_cast<double>(frames) / movie.rate, benchmark::Counter::kIsRate);
}

void DecodeOurs(benchmark::State& state) {
  const TestMovie& movie = movieOf(state);
  auto bytes = std::make_shared<const std::string>(movie.bytes);
  tqvPlatform::MovieFailure failure;
  auto decoder = tqvPlatform::makeMovieDecoder(failure);
  auto stream = decoder->open("", bytes, containerOf(state), nullptr, failure);
  if (stream == nullptr) {
    state.SkipWithError(failure.text.c_str());
    return;
  }
  int64_t last = stream->info().frameCount - 1;
  int64_t frames = 0;
  tqvPlatform::VideoFrame frame;
  for (auto _ : state) {
    stream->start(0, last, false);
    for (int64_t n = 0; n <= last; ++n) frames += stream->takeFrame(n, true, frame) ? 1 : 0;
  }
  report(state, movie, frames);
}

// The peer: demuxing and decoding with libavcodec, pictures left in the decoder's format.
void DecodeFfmpeg(benchmark::State& state) {
  const TestMovie& movie = movieOf(state);
  int64_t frames = 0;
  for (auto _ : state) {
    struct Reader {
      const std::string* bytes;
      int64_t at = 0;
      static int read(void* opaque, uint8_t* to, int size) {
        auto* r = static_cast<Reader*>(opaque);
        int64_t n = std::min<int64_t>(size, static_cast<int64_t>(r->bytes->size()) - r->at);
        if (n <= 0) return AVERROR_EOF;
        std::memcpy(to, r->bytes->data() + r->at, static_cast<size_t>(n));
        r->at += n;
        return static_cast<int>(n);
      }
    } reader{&movie.bytes};
    auto* block = static_cast<uint8_t*>(av_malloc(32768));
    AVIOContext* io = avio_alloc_context(block, 32768, 0, &reader, Reader::read, nullptr, nullptr);
    AVFormatContext* format = avformat_alloc_context();
    format->pb = io;
    avformat_open_input(&format, "", nullptr, nullptr);
    avformat_find_stream_info(format, nullptr);
    const AVCodec* codec = nullptr;
    int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    AVCodecContext* context = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(context, format->streams[index]->codecpar);
    context->thread_count = 1;
    avcodec_open2(context, codec, nullptr);
    AVPacket* packet = av_packet_alloc();
    AVFrame* picture = av_frame_alloc();
    while (av_read_frame(format, packet) >= 0) {
      if (packet->stream_index == index && avcodec_send_packet(context, packet) >= 0) {
        while (avcodec_receive_frame(context, picture) >= 0) ++frames;
      }
      av_packet_unref(packet);
    }
    avcodec_send_packet(context, nullptr);
    while (avcodec_receive_frame(context, picture) >= 0) ++frames;
    av_frame_free(&picture);
    av_packet_free(&packet);
    avcodec_free_context(&context);
    avformat_close_input(&format);
    av_freep(&io->buffer);
    avio_context_free(&io);
  }
  report(state, movie, frames);
}

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Plays the movie once at its own rate, as the idle turn does: every 10 ms the frame of
// the moment is taken, when it is ready, and drawn into the picture.
void Playing(benchmark::State& state) {
  const TestMovie& movie = movieOf(state);
  auto bytes = std::make_shared<const std::string>(movie.bytes);
  tqvPlatform::MovieFailure failure;
  auto decoder = tqvPlatform::makeMovieDecoder(failure);
  auto stream = decoder->open("", bytes, containerOf(state), nullptr, failure);
  if (stream == nullptr) {
    state.SkipWithError(failure.text.c_str());
    return;
  }
  tqvHandle picture = tqvMakeContextImage(640, 480);
  tqvSurface* target = tqvAsSurface(picture);
  int64_t last = stream->info().frameCount - 1;
  double cpu = 0;
  double wall = 0;
  int64_t shown = 0;
  for (auto _ : state) {
    double cpuStart = cpuSeconds();
    auto start = std::chrono::steady_clock::now();
    stream->start(0, last, false);
    tqvPlatform::VideoFrame frame;
    for (;;) {
      double elapsed =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      int64_t number = static_cast<int64_t>(elapsed * movie.rate);
      if (number > last) break;
      if (stream->takeFrame(number, false, frame)) {
        cairo_surface_t* source = cairo_image_surface_create_for_data(
            reinterpret_cast<unsigned char*>(frame.pixels.data()), CAIRO_FORMAT_RGB24, frame.width,
            frame.height, frame.width * 4);
        tqvBlit(*target, source, nullptr, {0, 0, 640, 480}, {0, 0, frame.width, frame.height});
        cairo_surface_destroy(source);
        ++shown;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    cpu += cpuSeconds() - cpuStart;
    wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  state.counters["cpu_share"] = cpu / wall;
  state.counters["frames_shown"] =
      benchmark::Counter(static_cast<double>(shown), benchmark::Counter::kAvgIterations);
  state.counters["frames"] = static_cast<double>(movie.frames);
}

}  // namespace

BENCHMARK(DecodeOurs)
    ->Name("MovieDecode640x480/ours")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(DecodeFfmpeg)
    ->Name("MovieDecode640x480/ffmpeg")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(Playing)
    ->Name("MoviePlaying640x480")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

int main(int argc, char** argv) {
  std::printf(
      "movies: 0 = MPEG-1 %d frames at %d a second, 1 = AVI (Video 1) %d frames at %d a second\n",
      movie_bench::mpegMovie().frames, movie_bench::mpegMovie().rate,
      movie_bench::aviMovie().frames, movie_bench::aviMovie().rate);
  return tqvbench::runWithRatios(argc, argv);
}
