// The decoding thread shared by the movies of one decoder, and the streams the UI thread
// holds. Under the decoder's lock the UI thread states what it wants (a range of frames,
// or nothing) and takes frames; the thread decodes one packet at a time for each movie
// that has room for more pictures, outside the lock, and hands the pictures over.
extern "C" {
#include <libavutil/log.h>
}

#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "platform/av/av_movie.h"
#include "platform/movie.h"

namespace tqvPlatform {
namespace {

// Pictures decoded ahead of their time, per movie.
constexpr size_t kQueueDepth = 6;
// Sound decoded ahead, in milliseconds: less, and the decoder reads on for more even when
// the pictures have no room.
constexpr int64_t kSoundAheadMs = 250;

// What the thread and a stream share; guarded by Shared::mutex.
struct Work {
  std::unique_ptr<AvMovie> movie;      // touched by the thread only while busy
  std::unique_ptr<AudioStream> sound;  // its own calls are thread-safe
  bool wanted = false;                 // decoding asked for
  bool restart = false;                // go back to `first` before decoding on
  bool withSound = false;
  int64_t first = 0;
  int64_t last = 0;
  uint64_t generation = 0;  // counts requests; older results are dropped
  bool busy = false;        // the thread is decoding it outside the lock
  bool finished = false;
  bool delivered = false;  // a picture of the range was handed over
  bool stalled = false;    // only pictures are left, and they have no room
  MovieFailure failure;
  std::deque<VideoFrame> frames;
  VideoFrame before;  // the latest picture before `first`
};

struct Shared {
  std::mutex mutex;
  std::condition_variable wake;      // the thread waits for work
  std::condition_variable progress;  // the UI thread waits for pictures or for idleness
  std::vector<Work*> works;
  bool quit = false;
};

// Whether the movie's sound runs short while its pictures may wait.
bool soundHungry(Work& work) {
  if (!work.withSound || work.stalled) return false;
  return work.sound->framesPending() * 1000 < kSoundAheadMs * work.sound->rate();
}

void runDecoder(const std::shared_ptr<Shared>& shared) {
  std::unique_lock<std::mutex> lock(shared->mutex);
  size_t next = 0;
  std::vector<VideoFrame> decoded;
  while (!shared->quit) {
    // Round robin over the movies that want pictures and have room for them.
    Work* work = nullptr;
    for (size_t i = 0; i < shared->works.size() && work == nullptr; ++i) {
      Work* candidate = shared->works[(next + i) % shared->works.size()];
      if (candidate->wanted && !candidate->finished &&
          (candidate->frames.size() < kQueueDepth || soundHungry(*candidate))) {
        work = candidate;
        next = (next + i + 1) % shared->works.size();
      }
    }
    if (work == nullptr) {
      shared->wake.wait(lock);
      continue;
    }
    work->busy = true;
    bool restart = std::exchange(work->restart, false);
    uint64_t generation = work->generation;
    int64_t first = work->first;
    AudioStream* sound = work->withSound ? work->sound.get() : nullptr;
    bool pictures = work->frames.size() < kQueueDepth;
    lock.unlock();
    if (restart) {
      if (work->sound != nullptr) work->sound->clear();
      work->movie->restart(first);
    }
    decoded.clear();
    AvMovie::Step step = work->movie->step(decoded, sound, pictures);
    bool more = step != AvMovie::Step::Done;
    lock.lock();
    work->busy = false;
    if (work->generation == generation) {
      work->stalled = step == AvMovie::Step::Waiting;
      for (VideoFrame& frame : decoded) {
        if (frame.number < work->first) {
          work->before = std::move(frame);
        } else if (frame.number > work->last) {
          work->finished = true;
        } else {
          if (work->before.number >= 0 && frame.number > work->first) {
            work->frames.push_back(std::move(work->before));
          }
          work->before = VideoFrame();
          work->frames.push_back(std::move(frame));
          work->delivered = true;
        }
      }
      if (!more) {
        // Nothing reached the range: the latest picture before it is what shows there.
        if (work->before.number >= 0) {
          work->frames.push_back(std::move(work->before));
          work->delivered = true;
        }
        work->before = VideoFrame();
        work->finished = true;
        if (!work->delivered) work->failure = {kMovieBadDecoder, "no picture could be decoded"};
      }
    }
    shared->progress.notify_all();
  }
}

class AvStream : public MovieStream {
 public:
  AvStream(std::shared_ptr<Shared> shared, std::unique_ptr<AvMovie> movie,
           std::unique_ptr<AudioStream> sound)
      : shared_(std::move(shared)) {
    info_ = movie->info();
    work_.movie = std::move(movie);
    work_.sound = std::move(sound);
    std::lock_guard<std::mutex> hold(shared_->mutex);
    shared_->works.push_back(&work_);
  }

  ~AvStream() override {
    std::unique_lock<std::mutex> lock(shared_->mutex);
    work_.wanted = false;
    shared_->progress.wait(lock, [this] { return !work_.busy; });
    std::erase(shared_->works, &work_);
  }

  const MovieInfo& info() const override { return info_; }

  void start(int64_t first, int64_t last, bool withSound) override {
    std::unique_lock<std::mutex> lock(shared_->mutex);
    // The sound clock starts again at 0: nothing of what was decoded before may reach it.
    ++work_.generation;
    shared_->progress.wait(lock, [this] { return !work_.busy; });
    if (work_.sound != nullptr) work_.sound->clear();
    int64_t end = info_.frameCount - 1;
    work_.first = std::clamp<int64_t>(first, 0, end);
    work_.last = std::clamp<int64_t>(last, work_.first, end);
    work_.withSound = withSound && work_.sound != nullptr;
    work_.wanted = true;
    work_.restart = true;
    work_.finished = false;
    work_.stalled = false;
    work_.delivered = false;
    work_.failure = MovieFailure();
    work_.frames.clear();
    work_.before = VideoFrame();
    drained_ = false;
    shared_->wake.notify_all();
  }

  void halt() override {
    {
      std::unique_lock<std::mutex> lock(shared_->mutex);
      work_.wanted = false;
      ++work_.generation;
      work_.frames.clear();
      shared_->progress.wait(lock, [this] { return !work_.busy; });
    }
    if (work_.sound != nullptr) work_.sound->clear();
  }

  bool takeFrame(int64_t number, bool wait, VideoFrame& frame) override {
    std::unique_lock<std::mutex> lock(shared_->mutex);
    bool found = false;
    for (;;) {
      while (!work_.frames.empty() && work_.frames.front().number <= number) {
        frame = std::move(work_.frames.front());
        work_.frames.pop_front();
        work_.stalled = false;
        found = true;
        shared_->wake.notify_all();  // room for more
      }
      bool settled = !work_.frames.empty() || work_.finished || !work_.wanted || shared_->quit;
      if (settled || !wait) break;
      shared_->progress.wait(lock);
    }
    return found;
  }

  bool decodeFrame(int64_t number, VideoFrame& frame) override {
    start(number, number, false);
    bool found = takeFrame(number, true, frame);
    if (!found) {
      // A picture after the one asked for is better than none (a seek that overshot).
      std::lock_guard<std::mutex> hold(shared_->mutex);
      if (!work_.frames.empty()) {
        frame = std::move(work_.frames.front());
        found = true;
      }
    }
    halt();
    return found;
  }

  int64_t soundClockMs(uint32_t nowMs) override {
    bool withSound = false;
    bool finished = false;
    {
      std::lock_guard<std::mutex> hold(shared_->mutex);
      withSound = work_.withSound && work_.wanted;
      finished = work_.finished;
    }
    if (!withSound) return -1;
    AudioStream& sound = *work_.sound;
    int64_t heard = sound.framesPlayed() * 1000 / sound.rate();
    if (finished && sound.framesPending() == 0) {
      if (!drained_) {
        drained_ = true;
        drainedMs_ = heard;
        drainedAt_ = nowMs;
      }
      return drainedMs_ + static_cast<uint32_t>(nowMs - drainedAt_);
    }
    return heard;
  }

  bool finished() override {
    std::lock_guard<std::mutex> hold(shared_->mutex);
    return work_.finished;
  }

  MovieFailure failure() override {
    std::lock_guard<std::mutex> hold(shared_->mutex);
    return work_.failure;
  }

 private:
  std::shared_ptr<Shared> shared_;
  Work work_;
  MovieInfo info_;
  // The sound track ran out: time goes on by the caller's clock from there.
  bool drained_ = false;
  int64_t drainedMs_ = 0;
  uint32_t drainedAt_ = 0;
};

class AvDecoder : public MovieDecoder {
 public:
  explicit AvDecoder(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {
    thread_ = std::thread(runDecoder, shared_);
  }
  ~AvDecoder() override {
    {
      std::lock_guard<std::mutex> hold(shared_->mutex);
      shared_->quit = true;
      shared_->wake.notify_all();
      shared_->progress.notify_all();
    }
    thread_.join();
  }

  std::unique_ptr<MovieStream> open(const std::string& path,
                                    std::shared_ptr<const std::string> bytes,
                                    MovieContainer container, AudioOutput* audio,
                                    MovieFailure& failure) override {
    std::unique_ptr<AvMovie> movie = AvMovie::open(path, std::move(bytes), container, failure);
    if (movie == nullptr) return nullptr;
    std::unique_ptr<AudioStream> sound;
    if (audio != nullptr && movie->info().hasSound) {
      sound = audio->openStream(movie->soundRate(), movie->soundChannels());
    }
    return std::make_unique<AvStream>(shared_, std::move(movie), std::move(sound));
  }

 private:
  std::shared_ptr<Shared> shared_;
  std::thread thread_;
};

}  // namespace

std::unique_ptr<MovieDecoder> makeMovieDecoder(MovieFailure& failure) {
  // Damaged files make FFmpeg talk; what matters reaches the program as a failure.
  av_log_set_level(AV_LOG_FATAL);
  try {
    return std::make_unique<AvDecoder>(std::make_shared<Shared>());
  } catch (const std::system_error& error) {
    failure = {kMovieNoThread, std::string("cannot start the decoding thread: ") + error.what()};
    return nullptr;
  }
}

}  // namespace tqvPlatform
