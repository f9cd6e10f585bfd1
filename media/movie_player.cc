// Opening, placing, playing and drawing movies.
#include "media/movie_player.h"

#include <cairo.h>

#include <algorithm>
#include <limits>

#include "framework/environment.h"
#include "framework/message_box.h"
#include "framework/runtime.h"
#include "media/drawing_surface.h"
#include "media/image_blit.h"
#include "media/media_services.h"
#include "media/sound_player.h"
#include "platform/process.h"
#include "storage/file_stream.h"
#include "values/convert.h"
#include "values/cp1252.h"
#include "values/generic.h"
#include "values/string.h"

namespace {

// The device type that plays each kind of movie; movies of one type share its decoder.
std::string deviceType(const std::string& kind) {
  return kind == "AVI" ? "avivideo" : "mpegvideo";
}

tqvPlatform::MovieContainer containerOf(const std::string& kind) {
  return kind == "AVI" ? tqvPlatform::MovieContainer::Avi : tqvPlatform::MovieContainer::Mpeg;
}

// On a virtual clock the player waits for each frame, so that what shows at a moment
// depends on the moment alone; on the desktop a frame that is not ready is not waited for.
bool waitForFrames() {
  tqvPlatform::Backend* backend = tqvBackend();
  return backend == nullptr || backend->headless();
}

tqvPlatform::AudioOutput* audioOutput() {
  tqvPlatform::Backend* backend = tqvBackend();
  return backend != nullptr ? &backend->audio() : nullptr;
}

TQVINT clampToInt(int64_t value) {
  return static_cast<TQVINT>(std::clamp<int64_t>(value, 0, std::numeric_limits<TQVINT>::max()));
}

// Draws the picture into the target's rectangle (media pixels), scaled smoothly.
void blitPicture(tqvSurface& target, const tqvPlatform::VideoFrame& picture, TQVINT left,
                 TQVINT top, TQVINT width, TQVINT height) {
  if (picture.number < 0 || width <= 0 || height <= 0) return;
  // cairo only reads these pixels.
  auto* data =
      const_cast<unsigned char*>(reinterpret_cast<const unsigned char*>(picture.pixels.data()));
  cairo_surface_t* source = cairo_image_surface_create_for_data(
      data, CAIRO_FORMAT_RGB24, picture.width, picture.height, picture.width * 4);
  if (cairo_surface_status(source) == CAIRO_STATUS_SUCCESS) {
    tqvBlit(target, source, nullptr, tqvBlitRect{left, top, width, height},
            tqvBlitRect{0, 0, picture.width, picture.height}, tqvScaling::Smooth);
  }
  cairo_surface_destroy(source);
}

tqvHandle handleOf(tqvMovieObject& movie) {
  return tqvHandle::wrap(&movie, TQV_MOVIE_TYPE);
}

}  // namespace

tqvMoviePlayer::tqvMoviePlayer() = default;

tqvMoviePlayer::~tqvMoviePlayer() {
  std::vector<tqvHandle> playing = std::move(playing_);
  for (tqvMovieObject* movie : open_) movie->state().playing = false;
  while (!open_.empty()) release(*open_.back());
  // Movies held only by the playing list go now, closed already.
}

void tqvMoviePlayer::noteOnce(const std::string& text) {
  if (noted_.insert(text).second) tqvPlatform::debugOutput("lx98: " + text + "\n");
}

void tqvMoviePlayer::deviceError(const tqvPlatform::MovieFailure& failure, const std::string& step,
                                 const std::string& message) {
  if (!tqvGetEnvironmentBoolean("ShowVideoErrors", false)) return;
  std::string text = failure.text.empty() ? step : tqvUtf8ToCp1252(failure.text);
  tqvAlert("MCI error (" + std::to_string(failure.code) + "): " + text);
  if (!message.empty()) tqvAlert(message);
}

bool tqvMoviePlayer::open(tqvMovieObject& movie) {
  tqvMovieObject::State& s = movie.state();
  if (s.stream != nullptr) return true;
  std::string type = deviceType(movie.kind());
  Driver& driver = drivers_[type];
  tqvPlatform::MovieFailure failure;
  if (driver.decoder == nullptr) {
    driver.decoder = tqvPlatform::makeMovieDecoder(failure);
    if (driver.decoder == nullptr) {
      drivers_.erase(type);
      deviceError(failure, "open ",
                  "Cannot initialize video subsystem with this MCI driver: " + type);
      return false;
    }
  }
  ++driver.uses;
  s.stream = driver.decoder->open(tqvMapPath(movie.path()), nullptr, containerOf(movie.kind()),
                                  audioOutput(), failure);
  if (s.stream == nullptr) {
    if (--driver.uses == 0) drivers_.erase(type);
    if (failure.code == tqvPlatform::kMovieNoDecoder)
      noteOnce(failure.text + ": such movies are left out");
    deviceError(failure, "open element ",
                "Cannot instantiate movie: " + std::string(tqvStringView(movie.path())));
    return false;
  }
  const tqvPlatform::MovieInfo& info = s.stream->info();
  s.player = this;
  s.device = ++devices_;
  s.naturalWidth = info.width;
  s.naturalHeight = info.height;
  s.frames = clampToInt(info.frameCount);
  s.current = 0;
  s.picture = tqvPlatform::VideoFrame();
  open_.push_back(&movie);
  return true;
}

void tqvMoviePlayer::place(tqvMovieObject& movie) {
  tqvMovieObject::State& s = movie.state();
  TQVINT width = s.width > 0 ? s.width : s.naturalWidth;
  TQVINT height = s.height > 0 ? s.height : s.naturalHeight;
  TQVINT mediaWidth = tqvMediaWidth();
  TQVINT mediaHeight = tqvMediaHeight();
  // The picture is the media area: positions need no window origin added.
  if (!movie.fullScreenAllowed() || !tqvGetEnvironmentBoolean("FullScreenVideo", false)) {
    s.left = s.x;
    s.top = s.y;
    s.drawnWidth = width;
    s.drawnHeight = height;
  } else if (!tqvGetEnvironmentBoolean("MaximizeWindow", false) || movie.kind() == "MPG") {
    s.left = 0;
    s.top = 0;
    s.drawnWidth = mediaWidth;
    s.drawnHeight = mediaHeight;
  } else {
    // AVI in a maximized window: double size, centred.
    s.drawnWidth = std::min(tqvSaturatingAdd(s.naturalWidth, s.naturalWidth), mediaWidth);
    s.drawnHeight = std::min(tqvSaturatingAdd(s.naturalHeight, s.naturalHeight), mediaHeight);
    s.left = (mediaWidth - s.drawnWidth) / 2;
    s.top = (mediaHeight - s.drawnHeight) / 2;
  }
}

void tqvMoviePlayer::paint(tqvMovieObject& movie) {
  tqvMovieObject::State& s = movie.state();
  tqvDrawingSurface* surface = tqvScreenSurface();
  if (!s.shown || surface == nullptr) return;
  blitPicture(*surface, s.picture, s.left, s.top, s.drawnWidth, s.drawnHeight);
}

bool tqvMoviePlayer::show(tqvMovieObject& movie) {
  if (!open(movie)) return false;
  tqvMovieObject::State& s = movie.state();
  if (s.shown) return true;
  place(movie);
  if (tqvDrawingSurface* surface = tqvScreenSurface()) {
    s.covered = surface->capture(s.left, s.top, tqvSaturatingAdd(s.left, s.drawnWidth),
                                 tqvSaturatingAdd(s.top, s.drawnHeight));
  }
  s.shown = true;
  if (s.picture.number < 0 && !s.playing) s.stream->decodeFrame(s.current, s.picture);
  paint(movie);
  return true;
}

bool tqvMoviePlayer::hide(tqvMovieObject& movie) {
  tqvMovieObject::State& s = movie.state();
  if (!s.shown) return true;
  tqvDrawingSurface* surface = tqvScreenSurface();
  if (surface != nullptr && !s.covered.isNil()) surface->drawImage(s.covered, s.left, s.top);
  s.covered = tqvHandle();
  s.shown = false;
  return true;
}

bool tqvMoviePlayer::move(tqvMovieObject& movie, TQVINT x, TQVINT y) {
  tqvMovieObject::State& s = movie.state();
  s.x = x;
  s.y = y;
  if (s.shown) {
    hide(movie);
    return show(movie);
  }
  return true;
}

bool tqvMoviePlayer::setSize(tqvMovieObject& movie, TQVINT width, TQVINT height) {
  tqvMovieObject::State& s = movie.state();
  if (width > 0) s.width = width;
  if (height > 0) s.height = height;
  if (s.shown) {
    hide(movie);
    return show(movie);
  }
  return true;
}

bool tqvMoviePlayer::play(tqvMovieObject& movie, TQVINT from, TQVINT to, bool repeat) {
  if (!show(movie)) return false;
  tqvMovieObject::State& s = movie.state();
  TQVINT last = s.frames - 1;
  if (from < 0) from = s.current >= last ? 0 : s.current;
  from = std::clamp(from, 0, last);
  to = to < 0 ? last : std::clamp(to, from, last);
  s.startFrame = from;
  s.endFrame = to;
  s.repeat = repeat;
  s.stream->start(from, to, true);
  s.startTime = tqvTickCount();
  s.failureShown = false;
  if (!s.playing) playing_.push_back(handleOf(movie));
  s.playing = true;
  return true;
}

bool tqvMoviePlayer::stop(tqvMovieObject& movie) {
  tqvMovieObject::State& s = movie.state();
  if (!s.playing) return false;
  tqvHandle keep = handleOf(movie);
  s.stream->halt();
  s.playing = false;
  std::erase_if(playing_, [&](const tqvHandle& h) { return h.object() == &movie; });
  tqvPostMediaEvent(keep, "aborted");
  return true;
}

void tqvMoviePlayer::ended(tqvMovieObject& movie) {
  tqvMovieObject::State& s = movie.state();
  tqvHandle keep = handleOf(movie);
  s.stream->halt();
  s.playing = false;
  std::erase_if(playing_, [&](const tqvHandle& h) { return h.object() == &movie; });
  tqvPostMediaEvent(keep, "ended");
}

bool tqvMoviePlayer::seek(tqvMovieObject& movie, TQVINT frame) {
  if (!open(movie)) return false;
  tqvMovieObject::State& s = movie.state();
  stop(movie);
  s.current = std::clamp(frame, 0, s.frames - 1);
  s.stream->decodeFrame(s.current, s.picture);
  paint(movie);
  return true;
}

TQVINT tqvMoviePlayer::frameCount(tqvMovieObject& movie) {
  return open(movie) ? movie.state().frames : 0;
}

bool tqvMoviePlayer::drawFrame(tqvMovieObject& movie, const tqvHandle& image) {
  tqvSurface* target = tqvAsSurface(image);
  if (target == nullptr || !open(movie)) return false;
  tqvMovieObject::State& s = movie.state();
  if (s.picture.number < 0 && !s.playing) s.stream->decodeFrame(s.current, s.picture);
  if (s.picture.number < 0) return false;
  TQVINT width = s.width > 0 ? s.width : s.naturalWidth;
  TQVINT height = s.height > 0 ? s.height : s.naturalHeight;
  blitPicture(*target, s.picture, 0, 0, width, height);
  return true;
}

void tqvMoviePlayer::redraw(tqvMovieObject& movie) {
  paint(movie);
}

void tqvMoviePlayer::release(tqvMovieObject& movie) {
  tqvMovieObject::State& s = movie.state();
  std::erase(open_, &movie);
  if (s.stream == nullptr) return;
  s.stream.reset();
  auto driver = drivers_.find(deviceType(movie.kind()));
  if (driver != drivers_.end() && --driver->second.uses <= 0) drivers_.erase(driver);
  s.player = nullptr;
  s.device = 0;
  s.playing = false;
  s.shown = false;
  s.covered = tqvHandle();
  s.current = 0;
  s.picture = tqvPlatform::VideoFrame();
}

void tqvMoviePlayer::close(tqvMovieObject& movie) {
  stop(movie);
  hide(movie);
  release(movie);
}

void tqvMoviePlayer::closeAll() {
  std::vector<tqvHandle> playing = playing_;
  for (const tqvHandle& h : playing) stop(*tqvAsMovie(h));
  while (!open_.empty()) close(*open_.back());
}

void tqvMoviePlayer::forget(tqvMovieObject& movie) {
  release(movie);
}

void tqvMoviePlayer::tick() {
  if (playing_.empty()) return;
  uint32_t now = tqvTickCount();
  bool wait = waitForFrames();
  std::vector<tqvHandle> playing = playing_;  // endings change the list
  for (const tqvHandle& h : playing) {
    tqvMovieObject& movie = *tqvAsMovie(h);
    tqvMovieObject::State& s = movie.state();
    if (!s.playing) continue;
    const tqvPlatform::MovieInfo& info = s.stream->info();
    int64_t elapsed = s.stream->soundClockMs(now);
    if (elapsed < 0) elapsed = static_cast<uint32_t>(now - s.startTime);
    int64_t span = int64_t{s.endFrame} - s.startFrame + 1;
    int64_t lengthMs = span * 1000 * info.rateDen / info.rateNum;
    int64_t number = std::min<int64_t>(
        s.startFrame + elapsed * info.rateNum / (int64_t{info.rateDen} * 1000), s.endFrame);
    tqvPlatform::VideoFrame frame;
    if (s.stream->takeFrame(number, wait, frame)) {
      s.picture = std::move(frame);
      paint(movie);
    }
    s.current = static_cast<TQVINT>(number);
    if (!s.failureShown && s.stream->finished()) {
      tqvPlatform::MovieFailure failure = s.stream->failure();
      if (failure.code != 0) deviceError(failure, "play ", "");
      s.failureShown = true;
    }
    if (elapsed < lengthMs) continue;
    if (s.repeat) {
      s.stream->start(s.startFrame, s.endFrame, true);
      s.startTime = now;
      s.failureShown = false;
    } else {
      ended(movie);
    }
  }
}

int tqvMoviePlayer::decoderUses(const std::string& kind) const {
  auto found = drivers_.find(deviceType(kind));
  return found != drivers_.end() ? found->second.uses : 0;
}

namespace {

tqvMoviePlayer* playerOf(const tqvHandle& movie, tqvMovieObject*& object) {
  object = tqvAsMovie(tqvDereference(movie));
  tqvMediaServices* media = tqvMedia();
  return object != nullptr && media != nullptr ? &media->movies() : nullptr;
}

}  // namespace

bool tqvSeekMovie(const tqvHandle& movie, TQVINT frame) {
  tqvMovieObject* m = nullptr;
  tqvMoviePlayer* player = playerOf(movie, m);
  return player != nullptr && player->seek(*m, frame);
}

bool tqvDrawMovieFrame(const tqvHandle& movie, const tqvHandle& image) {
  tqvMovieObject* m = nullptr;
  tqvMoviePlayer* player = playerOf(movie, m);
  return player != nullptr && player->drawFrame(*m, image);
}

void tqvRedrawMovie(const tqvHandle& movie) {
  tqvMovieObject* m = nullptr;
  if (tqvMoviePlayer* player = playerOf(movie, m)) player->redraw(*m);
}

void tqvCloseMovie(const tqvHandle& movie) {
  tqvMovieObject* m = nullptr;
  if (tqvMoviePlayer* player = playerOf(movie, m)) player->close(*m);
}
